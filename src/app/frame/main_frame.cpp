#include "app/frame/main_frame.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSessionManager>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

#include "app/app_icon.h"
#include "app/dialogs/editor_dialogs.h"
#include "app/frame/command_actions.h"
#include "app/frame/menu_builder.h"
#include "app/frame/recovery_timer.h"
#include "app/frame/status_panes.h"
#include "app/frame/system_clipboard.h"
#include "app/frame/toolbar_art.h"
#include "app/layers/layer_bar.h"
#include "app/player/map_rom_launch.h"
#include "app/side_bars/budget_bar.h"
#include "app/side_bars/entities_bar.h"
#include "app/side_bars/flags_bar.h"
#include "app/view/cursor_art.h"
#include "app/view/key_translation.h"
#include "app/view/view_input.h"
#include "app/view/view_tileset_host.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/session/map_file_commands.h"
#include "edit/session/tileset_commands.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/settings/settings_store.h"

namespace qarto {

namespace {

constexpr const char* kStatusBarKey = "StatusBarShown";

}  // namespace

CMainFrame::CMainFrame(PlatformServices& services, SettingsStore& settings, const GlyphSet& glyphs, Options options,
                       QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      settings_(settings),
      withRunMap_(options.withRunMap),
      baseRomPath_(options.baseRomPath) {
  setObjectName(QStringLiteral("MainFrame"));
  host_ = std::make_unique<ViewTilesetHost>(glyphs);
  engine_ = std::make_unique<MapViewEngine>(services_, settings_, *host_);
  commands_ = std::make_unique<EditorCommands>(*engine_, this);
  engine_->setClipboard(*new SystemClipboard(this));
  // The selection's outline marches while there is one.
  auto* march = new QTimer(this);
  connect(march, &QTimer::timeout, this, [this] {
    RegionSelection& selection = engine_->state().selection;
    if ((!selection.rect && !selection.floating) || engine_->state().view.tileViewShown || view_ == nullptr) return;
    ++selection.march;
    view_->redraw();
  });
  march->start(150);
  recovery_ = new RecoveryTimer(*engine_, *commands_, this);
  connect(recovery_, &RecoveryTimer::mapReplaced, this, [this] {
    engine_->refresh();
    showEngineState();
  });

  // The collision page, then the map view that draws it (its GL side and colours).
  loadCollisionTileset(engine_->session());
  view_ = options.viewFactory(ViewContext{*engine_, *host_, settings_, services_}, this);
  setCentralWidget(view_->widget());
  new ViewInput(*view_->widget(), *engine_, *commands_, [this] { showEngineState(); });

  actions_ = new CommandActions(*commands_, this);
  connect(actions_, &CommandActions::commandChosen, this, &CMainFrame::runCommand);
  menus_ = new MenuBuilder(*actions_, settings_, this);
  connect(menus_, &MenuBuilder::menuAboutToShow, actions_, &CommandActions::update);
  menus_->fillMenuBar(*menuBar(), options.withRunMap);
  mapMenu_ = menus_->buildPopup(mapContextMenu(), this);
  tileMenu_ = menus_->buildPopup(tileContextMenu(), this);

  // Toolbar at the top, status bar, layer bar at the left.
  buildToolBar();
  status_ = new StatusPanes(this);
  setStatusBar(status_);
  layerBar_ = new CLayerBar(*engine_, *commands_, this);
  layerBar_->context().layersMenu = menus_->layersMenu();
  layerBar_->context().changed = [this] { showEngineState(); };
  addDockWidget(Qt::LeftDockWidgetArea, layerBar_);
  buildSideBars();
  // The hardware budget at the right, hidden until View shows it.
  budgetBar_ = new CBudgetBar(*engine_, this);
  addDockWidget(Qt::RightDockWidgetArea, budgetBar_);
  budgetBar_->hide();

  // The layout the user left the bars in, once every bar exists.
  restoreBarLayout();

  // Icon, title, paint lock pane and the stored view options.
  setWindowIcon(applicationIcon());
  setWindowTitle(commands_->windowTitle());
  engine_->loadViewOptions();
  showEngineState();

  qApp->installEventFilter(this);
#if QT_CONFIG(sessionmanager)
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    if (!allowSessionEnd()) manager.cancel();
  });
#endif
}

CMainFrame::~CMainFrame() {
  qApp->removeEventFilter(this);
  // The last Run Map's ROM; an emulator started with it has read it by now.
  if (withRunMap_) QFile::remove(QString::fromStdString(runMapRomPath()));
  if (view_ != nullptr) {
    view_->shutDown();
    takeCentralWidget();  // owned by view_, not by the window
    view_.reset();
  }
  delete layerBar_;  // before the engine it observes
  layerBar_ = nullptr;
  delete flagsBar_;
  delete entitiesBar_;
  delete budgetBar_;
}

QWidget* CMainFrame::view() const { return view_ != nullptr ? view_->widget() : nullptr; }

void CMainFrame::holdViewDrawing(bool hold) {
  if (view_ != nullptr) view_->holdDrawing(hold);
}

void CMainFrame::buildToolBar() {
  toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
  toolBar_->setObjectName(QStringLiteral("ToolBar"));
  toolBar_->setIconSize(QSize(32, 31));
  toolBar_->setFocusPolicy(Qt::NoFocus);
  for (const int id : toolbarLayout()) {
    if (id == 0) {
      toolBar_->addSeparator();
      continue;
    }
    QAction* action = actions_->action(id);
    action->setIcon(toolbarIcon(id));
    toolBar_->addAction(action);
  }
  addToolBar(Qt::TopToolBarArea, toolBar_);
}

// The Flags and Entities bars, under the layer bar; the tool shows them.
void CMainFrame::buildSideBars() {
  flagsBar_ = new CFlagsBar(*engine_, [this] { showEngineState(); }, this);
  entitiesBar_ = new CEntitiesBar(*engine_, [this] { showEngineState(); }, this);
  for (QDockWidget* bar : std::initializer_list<QDockWidget*>{flagsBar_, entitiesBar_}) {
    addDockWidget(Qt::LeftDockWidgetArea, bar, Qt::Vertical);
    bar->hide();
  }
}

void CMainFrame::showSideBars() {
  flagsBar_->updateFromEngine();
  entitiesBar_->updateFromEngine();
  const bool flagsChange = flagsBar_->isHidden() == engine_->flagsBarShown();
  const bool entitiesChange = entitiesBar_->isHidden() == engine_->entitiesBarShown();
  if (!flagsChange && !entitiesChange) return;
  QWidget* shown = view();
  const QPoint before = shown != nullptr ? shown->mapTo(this, QPoint()) : QPoint();
  if (flagsChange) flagsBar_->setVisible(engine_->flagsBarShown());
  if (entitiesChange) entitiesBar_->setVisible(engine_->entitiesBarShown());
  if (shown == nullptr) return;
  // A wider bar pushes the view aside; the map keeps its place on the screen.
  layout()->activate();
  const QPoint moved = shown->mapTo(this, QPoint()) - before;
  const qreal ratio = shown->devicePixelRatioF();
  if (!moved.isNull()) {
    engine_->navigator().followViewMove(qRound(moved.x() * ratio), qRound(moved.y() * ratio));
  }
}

void CMainFrame::restoreBarLayout() {
  const std::string state = settings_.readText(kBarLayoutSection, kBarLayoutKey, "");
  if (!state.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
  status_->setVisible(settings_.readInt(kBarLayoutSection, kStatusBarKey, 1) != 0);
  // A layout from elsewhere may have floated a bar; they belong at a side.
  for (QDockWidget* bar : std::initializer_list<QDockWidget*>{layerBar_, flagsBar_, entitiesBar_, budgetBar_}) {
    if (bar->isFloating()) bar->setFloating(false);
  }
}

void CMainFrame::saveBarLayout() {
  settings_.writeText(kBarLayoutSection, kBarLayoutKey, saveState().toBase64().toStdString());
  settings_.writeInt(kBarLayoutSection, kStatusBarKey, status_->isHidden() ? 0 : 1);
}

bool CMainFrame::openMapByPath(const std::string& path, MapReadAhead* readAhead) {
  if (view_ == nullptr) {
    services_.messageBox("Bad, bad, m_wndView is not initialized yet? ", caption(), MessageButtons::Ok,
                         MessageIcon::Stop);
    return false;
  }
  engine_->endStroke();
  const bool loaded = loadMap(engine_->session(), path, commands_->mapFileHooks(), readAhead);
  engine_->refresh();
  showEngineState();
  return loaded;
}

void CMainFrame::runCommand(int id) {
  commands_->run(id);
  showEngineState();
}

void CMainFrame::showEngineState() {
  if (showingState_) return;
  showingState_ = true;
  const ViewRequests requests = engine_->takeRequests();
  recovery_->changed();
  actions_->update();
  if (const QString title = QString::fromStdString(commands_->windowTitle()); title != windowTitle()) {
    QMainWindow::setWindowTitle(title);
  }
  status_->setPaneText(1, QString::fromStdString(engine_->statusPane(1)));
  status_->setPaneText(2, QString::fromStdString(engine_->statusPane(2)));
  layerBar_->updateEntries();
  showSideBars();
  budgetBar_->updateFromEngine();
  if (QWidget* widget = view()) {
    widget->setCursor(viewCursor(engine_->cursor()));
    if (requests.redraw) view_->redraw();
    if (requests.focus && isActiveWindow() && !widget->hasFocus()) widget->setFocus(Qt::MouseFocusReason);
  }
  showingState_ = false;
  if (requests.contextMenu && view() != nullptr) {
    showContextMenu(requests.contextMenu->menu == ContextMenuKind::Tile, requests.contextMenu->at.x,
                    requests.contextMenu->at.y);
  }
}

void CMainFrame::showContextMenu(bool tileMenu, int x, int y) {
  QWidget* widget = view();
  const double scale = widget->devicePixelRatioF();
  const QPoint at(static_cast<int>(x / scale), static_cast<int>(y / scale));
  actions_->update();
  (tileMenu ? tileMenu_ : mapMenu_)->exec(widget->mapToGlobal(at));
}

bool CMainFrame::allowSessionEnd() {
  if (view_ == nullptr) return true;
  // The view options are kept even when the user then cancels.
  engine_->saveViewOptions();
  if (!confirmDiscard(engine_->session(), commands_->mapFileHooks())) return false;
  // A map the user chose not to save loses its copy, whether the window
  // closes or the session ends the editor without closing it. A session
  // that ends without the question (a kill, a power cut) keeps it.
  recovery_->closed();
  return true;
}

// --- Keys: the accelerators first, then the view ---

bool CMainFrame::routesKeys(QObject* receiver) const {
  auto* widget = qobject_cast<QWidget*>(receiver);
  if (widget == nullptr || widget->window() != this || view_ == nullptr) return false;
  // Text fields keep their typing.
  if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
      qobject_cast<QTextEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)) {
    return false;
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && combo->isEditable()) return false;
  return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && routesKeys(watched)) {
    const KeyEvent key = translateKey(*static_cast<QKeyEvent*>(event));
    if (type == QEvent::KeyPress) {
      commands_->handleKey(key);
    } else if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
      engine_->keyUp(key);
    }
    showEngineState();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- Close ---

void CMainFrame::closeFrame() { close(); }

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (view_ == nullptr) {
    event->accept();
    return;
  }
  if (!allowSessionEnd()) {
    event->ignore();
    showEngineState();
    return;
  }
  view_->shutDown();
  takeCentralWidget();
  view_.reset();
  saveBarLayout();
  event->accept();
}

// --- FrameHost ---

namespace {

// The Shift Layer Data preview repaints the view through showEngineState.
DialogContext dialogContext(CMainFrame& frame) {
  return DialogContext{&frame, frame.engine(), frame.commands(), [&frame] { frame.showEngineState(); }};
}

}  // namespace

void CMainFrame::runNewMapWizard() { qarto::runNewMapWizard(dialogContext(*this)); }
void CMainFrame::runAddLayerDialog() { qarto::runAddLayerDialog(dialogContext(*this)); }
void CMainFrame::runResizeLayerDialog() { qarto::runResizeLayerDialog(dialogContext(*this)); }
void CMainFrame::runShiftLayerDialog() { qarto::runShiftLayerDialog(dialogContext(*this)); }
void CMainFrame::runImportSourceDialog() { qarto::runImportSourceDialog(dialogContext(*this)); }
void CMainFrame::runValidateTilesetDialog() { qarto::showValidateTilesetDialog(dialogContext(*this)); }

void CMainFrame::runPaletteRemapperDialog() { qarto::runPaletteRemapperDialog(dialogContext(*this)); }
void CMainFrame::showAbout() { qarto::showAboutBox(this); }

bool CMainFrame::runPreferencesDialog() {
  const bool confirmed = qarto::runPreferencesDialog(dialogContext(*this));
  if (confirmed && view_ != nullptr) view_->reloadColors();
  return confirmed;
}

std::optional<ExportOptions> CMainFrame::runExportToHeaderDialog() {
  return qarto::runExportToHeaderDialog(dialogContext(*this));
}

std::optional<ExportOptions> CMainFrame::runExportBinaryDialog() {
  return qarto::runExportBinaryDialog(dialogContext(*this));
}

std::string CMainFrame::playMapRom(const MapRomLaunch& launch) { return launchMapRom(launch, this, player_); }

std::optional<MakeCllRequest> CMainFrame::runMakeCllDialog() { return qarto::runMakeCllDialog(dialogContext(*this)); }

bool CMainFrame::runPictureOptionsDialog(PictureRequest& request) {
  return qarto::runPictureOptionsDialog(dialogContext(*this), request);
}

bool CMainFrame::barShown(FrameBar bar) const {
  const QWidget* shown = nullptr;
  switch (bar) {
    case FrameBar::ToolBar: shown = toolBar_; break;
    case FrameBar::LayerBar: shown = layerBar_; break;
    case FrameBar::StatusBar: shown = status_; break;
    case FrameBar::BudgetBar: shown = budgetBar_; break;
  }
  return shown != nullptr && !shown->isHidden();
}

void CMainFrame::setBarShown(FrameBar bar, bool shown) {
  QWidget* target = nullptr;
  switch (bar) {
    case FrameBar::ToolBar: target = toolBar_; break;
    case FrameBar::LayerBar: target = layerBar_; break;
    case FrameBar::StatusBar: target = status_; break;
    case FrameBar::BudgetBar: target = budgetBar_; break;
  }
  if (target != nullptr) target->setVisible(shown);
}

void CMainFrame::setWindowTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }

}  // namespace qarto
