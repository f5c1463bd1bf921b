// The window's wiring of the command table: every menu holds its commands'
// actions with their menu texts and a chosen item runs its command once;
// the recent maps are numbered from 1; the key every menu item or button
// shows runs its command from the view; every action is enabled by its
// command's rule in every state; the title marks unsaved changes. The rules
// and bindings themselves are the engine's tests.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <QLabel>

#include "app/frame/command_actions.h"
#include "app/frame/status_panes.h"
#include "edit/commands/command_ids.h"
#include "edit/commands/command_table.h"
#include "edit/commands/editor_commands.h"
#include "edit/commands/menu_layout.h"
#include "edit/engine/map_view_engine.h"
#include "edit/selection/region_edit.h"
#include "edit/session/map_file_commands.h"
#include "support/frame_fixture.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

namespace {

// Walks a Qt menu and the menu data side by side and chooses every command.
void checkMenu(FrameFixture& frame, QMenu* menu, const std::vector<MenuItem>& items, const QString& where) {
  QVERIFY2(menu != nullptr, qPrintable(where));
  const QList<QAction*> shown = menu->actions();
  int at = 0;
  for (const MenuItem& item : items) {
    QAction* action = shown.value(at++);
    const QString place = QStringLiteral("%1 item %2").arg(where).arg(at);
    QVERIFY2(action != nullptr, qPrintable(place + " missing"));
    if (item.kind == MenuItem::Kind::RecentFiles) {
      QCOMPARE(action->text(), QStringLiteral("Recent File"));
      for (int i = 0; i < 9; ++i) QCOMPARE(shown.value(at++), frame->actions().action(cmd::kRecentFile1 + i));
    } else if (item.kind == MenuItem::Kind::Separator) {
      QVERIFY2(action->isSeparator(), qPrintable(place));
    } else {
      QCOMPARE(action->text(), QString::fromStdString(item.text));
      if (item.kind == MenuItem::Kind::Submenu) {
        checkMenu(frame, action->menu(), item.items, where + "/" + action->text());
      } else {
        QVERIFY2(action == frame->actions().action(item.id), qPrintable(place));
        frame.fired.clear();
        action->trigger();
        QCOMPARE(frame.fired, std::vector<int>{item.id});
      }
    }
    if (QTest::currentTestFailed()) return;
  }
  QCOMPARE(shown.size(), at);
}

// How a key arrives from a US keyboard.
struct QtKey {
  int key = 0;
  Qt::KeyboardModifiers modifiers;
  QString text;
};

// The key a menu text shows after its tab ("Ctrl+Shift+S", "Down Arrow",
// "Ins", ">"), with Shift where a typed character needs it.
QtKey qtKeyForMenuText(QString shown) {
  shown.replace(" Arrow", "").replace("PageUp", "PgUp").replace("PageDown", "PgDown");
  const QKeyCombination combination = QKeySequence(shown, QKeySequence::PortableText)[0];
  QtKey out{combination.key(), combination.keyboardModifiers(), {}};
  QString rest = shown;
  while (rest.size() > 1 && (rest.startsWith("Ctrl+") || rest.startsWith("Shift+"))) rest = rest.section('+', 1);
  if (rest.size() == 1 && QStringLiteral("<>+_").contains(rest)) out.modifiers |= Qt::ShiftModifier;
  if (rest.size() == 1) out.text = rest.toLower();
  if (rest == "Space") out.text = " ";
  if (out.modifiers.testFlag(Qt::ControlModifier)) out.text.clear();
  return out;
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void menusHoldAndRunTheirCommands() {
    FrameFixture frame(true);
    frame.recordCommands();
    for (const MenuItem& top : mainMenuBar()) {
      checkMenu(frame, menuBarMenu(*frame, QString::fromStdString(top.text)), top.items, QString::fromStdString(top.text));
    }
    checkMenu(frame, frame->mapMenu(), mapContextMenu().items, "MapMenu");
    checkMenu(frame, frame->tileMenu(), tileContextMenu().items, "TileMenu");
  }

  // A menu brings its states up to date as it opens; the recent maps are
  // numbered from 1 and listed once.
  void menusBringTheirStatesUpToDateAndRecentMapsAreNumberedFromOne() {
    FrameFixture frame;
    QAction* save = frame->actions().action(cmd::kSaveMap);
    QVERIFY(!save->isEnabled());
    // A map arrives behind the window's back; opening the menu notices.
    QVERIFY(loadMap(frame->engine().session(), examplePath("demo.qrm")));
    QVERIFY(!save->isEnabled());
    QMetaObject::invokeMethod(menuBarMenu(*frame, QStringLiteral("&File")), "aboutToShow");
    QVERIFY(save->isEnabled());

    TempFolder folder;
    const std::string demo = examplePath("demo.qrm"), other = folder.file("other.qrm");
    writeBytes(other, readBytes(demo));
    for (const std::string& path : {demo, other, demo}) QVERIFY(frame->openMapByPath(path));
    QMetaObject::invokeMethod(menuBarMenu(*frame, QStringLiteral("&File")), "aboutToShow");
    QStringList shown;
    for (int i = 0; i < 9; ++i) {
      if (frame->actions().action(cmd::kRecentFile1 + i)->isVisible()) {
        shown << frame->actions().action(cmd::kRecentFile1 + i)->text();
      }
    }
    QCOMPARE(shown, QStringList({QString::fromStdString("&1 " + demo), QString::fromStdString("&2 " + other)}));
  }

  // The key a menu item or button shows is a key that runs it.
  void everyShownKeyRunsItsCommand_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("keyText");
    for (const CommandInfo& info : commandTable()) {
      const QString text = commandText(info.id);
      if (text.contains('\t')) QTest::newRow(qPrintable(text)) << info.id << text.section('\t', 1);
    }
  }

  void everyShownKeyRunsItsCommand() {
    QFETCH(int, id);
    QFETCH(QString, keyText);
    FrameFixture frame;
    std::vector<int>& fired = frame.recordCommands();
    const QtKey key = qtKeyForMenuText(keyText);
    QVERIFY2(key.key != 0, qPrintable(keyText));
    const bool tileView = frame->engine().state().view.tileViewShown;
    frame.press(key.key, key.modifiers, key.text);
    if (id == cmd::kToggleView) {
      // Space is the view's own key: it switches the view without a command.
      QVERIFY(fired.empty());
      QCOMPARE(frame->engine().state().view.tileViewShown, !tileView);
    } else {
      QCOMPARE(fired, std::vector<int>{id});
    }
  }

  void theTitleMarksUnsavedChangesAndTheViewAndPaneKeysWork() {
    FrameFixture frame;
    TempFolder folder;
    const std::string path = folder.file("map.qrm");
    writeBytes(path, readBytes(examplePath("demo.qrm")));
    QVERIFY(frame->openMapByPath(path));
    const QString title = QString::fromStdString("Qarto v0.99 - " + path);
    QCOMPARE(frame->windowTitle(), title);
    frame->runCommand(cmd::kFlipLayerHorizontally);
    QCOMPARE(frame->windowTitle(), title + " *");
    frame.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(frame->windowTitle(), title);
    frame.press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(frame->windowTitle(), title + " *");  // the map on screen differs from the file again

    frame.press(Qt::Key_Right);
    QLabel* pane = nullptr;
    for (QLabel* label : frame->statusPanes().findChildren<QLabel*>()) {
      if (label->text() == " Paint Locking: allow horizontal only") pane = label;
    }
    QVERIFY(pane != nullptr && pane->minimumWidth() >= pane->sizeHint().width());

    // The view's own keys: the keypad scrolls, the main row zooms, Tab shows the tiles.
    const ViewState& view = frame->engine().state().view;
    const int scrollY = view.scrollY;
    frame.press(Qt::Key_2, Qt::KeypadModifier, QStringLiteral("2"));
    QCOMPARE(std::pair(view.mapZoom, view.scrollY != scrollY), std::pair(2.0f, true));
    frame.press(Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    QCOMPARE(view.mapZoom, 3.0f);
    frame.press(Qt::Key_Tab);
    QVERIFY(view.tileViewShown);
  }

  void everyActionFollowsItsRule_data() {
    QTest::addColumn<QString>("state");
    for (const char* state : {"no map", "map open", "collision set"}) QTest::newRow(state) << QString(state);
  }

  void everyActionFollowsItsRule() {
    QFETCH(QString, state);
    FrameFixture frame;
    if (state != "no map") QVERIFY(frame.loadDemo());
    if (state == "collision set") frame->engine().project().collisionSetEditing = true;
    frame->showEngineState();
    int disabled = 0;
    for (const auto& [id, action] : frame->actions().all()) {
      if (!action->isVisible()) continue;  // a recent map not yet shown: Qt keeps it disabled
      QVERIFY2(action->isEnabled() == frame->commands().enabled(id), qPrintable(QString::number(id)));
      disabled += action->isEnabled() ? 0 : 1;
    }
    QVERIFY(disabled > 0);
  }

  // Two windows share the system clipboard: the cells under their own type
  // and a picture; Classic keys change the keys the menus show.
  void theClipboardJoinsTwoWindowsAndClassicKeysRelabelTheMenus() {
    FrameFixture one;
    FrameFixture two;
    for (FrameFixture* frame : {&one, &two}) {
      QVERIFY(frame->loadDemo());
      frame->frame->commands().selectLayer(frame->frame->engine().project().findLayerOfKind(LayerKind::Primary));
    }
    selectRegion(one->engine().state(), {1, 2}, {3, 3});
    one.press(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(QStringLiteral("application/x-qarto-cells")));
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), QSize(24, 16));
    QTRY_VERIFY(two->commands().enabled(cmd::kPaste));
    two.press(Qt::Key_V, Qt::ControlModifier);
    const std::optional<CellBlock>& floating = two->engine().state().selection.floating;
    QVERIFY(floating && floating->layers == copyRegion(one->engine().state()).layers);

    QCOMPARE(two->actions().action(cmd::kZoomOut)->text(), QStringLiteral("Zoom Out\tEnd"));
    two.settings.writeInt("Settings", "ClassicKeys", 1);
    two->engine().reloadPreferences();
    two->showEngineState();
    QCOMPARE(two->actions().action(cmd::kZoomOut)->text(), QStringLiteral("Zoom Out\tDelete"));
    QCOMPARE(two->actions().action(cmd::kSelectAll)->text(), QStringLiteral("Select &All"));
  }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
