// Every command id reaches its action from its menu places with the exact
// menu text, every key binding fires its command, and the enabled states
// follow the rules with no map, a map and a collision set.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "app/frame/command_actions.h"
#include "edit/commands/command_ids.h"
#include "edit/commands/command_table.h"
#include "edit/commands/editor_commands.h"
#include "edit/commands/menu_layout.h"
#include "edit/engine/map_view_engine.h"
#include "support/frame_fixture.h"

using namespace qarto;
using namespace qarto::test;

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

// Walks a Qt menu and the menu data side by side.
void compareMenu(CMainFrame& frame, QMenu* menu, const std::vector<MenuItem>& items, const QString& where) {
  QVERIFY2(menu != nullptr, qPrintable(where));
  const QList<QAction*> shown = menu->actions();
  int at = 0;
  for (const MenuItem& item : items) {
    const QString place = QStringLiteral("%1 item %2").arg(where).arg(at);
    if (item.kind == MenuItem::Kind::RecentFiles) {
      QCOMPARE(shown.value(at)->text(), QStringLiteral("Recent File"));
      for (int i = 0; i < 9; ++i) QCOMPARE(shown.value(at + 1 + i), frame.actions().action(cmd::kRecentFile1 + i));
      at += 10;
      continue;
    }
    QAction* action = shown.value(at++);
    QVERIFY2(action != nullptr, qPrintable(place + " missing"));
    switch (item.kind) {
      case MenuItem::Kind::Separator:
        QVERIFY2(action->isSeparator(), qPrintable(place));
        break;
      case MenuItem::Kind::Command:
        QVERIFY2(action == frame.actions().action(item.id), qPrintable(place + " " + action->text()));
        QCOMPARE(action->text(), QString::fromStdString(item.text));
        break;
      case MenuItem::Kind::Submenu:
        QCOMPARE(action->text(), QString::fromStdString(item.text));
        compareMenu(frame, action->menu(), item.items, where + "/" + action->text());
        if (QTest::currentTestFailed()) return;
        break;
      case MenuItem::Kind::RecentFiles:
        break;
    }
  }
  QCOMPARE(shown.size(), at);
}

// How a key binding arrives from the keyboard.
struct QtKey {
  int key;
  Qt::KeyboardModifiers modifiers;
  QString text;
};

QtKey qtKeyFor(Key key) {
  if (key >= Key::A && key <= Key::Z) {
    const int offset = static_cast<int>(key) - static_cast<int>(Key::A);
    return {Qt::Key_A + offset, Qt::NoModifier, QString(QChar('a' + offset))};
  }
  if (key >= Key::Digit0 && key <= Key::Digit9) {
    const int offset = static_cast<int>(key) - static_cast<int>(Key::Digit0);
    return {Qt::Key_0 + offset, Qt::NoModifier, QString(QChar('0' + offset))};
  }
  if (key >= Key::F1 && key <= Key::F12) {
    return {Qt::Key_F1 + (static_cast<int>(key) - static_cast<int>(Key::F1)), Qt::NoModifier, {}};
  }
  switch (key) {
    case Key::Insert: return {Qt::Key_Insert, Qt::NoModifier, {}};
    case Key::Delete: return {Qt::Key_Delete, Qt::NoModifier, {}};
    case Key::Home: return {Qt::Key_Home, Qt::NoModifier, {}};
    case Key::Escape: return {Qt::Key_Escape, Qt::NoModifier, {}};
    case Key::PageUp: return {Qt::Key_PageUp, Qt::NoModifier, {}};
    case Key::PageDown: return {Qt::Key_PageDown, Qt::NoModifier, {}};
    case Key::Up: return {Qt::Key_Up, Qt::NoModifier, {}};
    case Key::Down: return {Qt::Key_Down, Qt::NoModifier, {}};
    case Key::Left: return {Qt::Key_Left, Qt::NoModifier, {}};
    case Key::Right: return {Qt::Key_Right, Qt::NoModifier, {}};
    case Key::Space: return {Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")};
    default: return {0, Qt::NoModifier, {}};
  }
}

// A typed character as a US keyboard sends it: the key, Shift where the
// character needs it, and the text.
QtKey qtKeyForCharacter(const QString& text) {
  static const QList<std::tuple<QString, int, bool>> characters = {
      {"[", Qt::Key_BracketLeft, false}, {"]", Qt::Key_BracketRight, false}, {"\\", Qt::Key_Backslash, false},
      {",", Qt::Key_Comma, false},       {"<", Qt::Key_Less, true},          {".", Qt::Key_Period, false},
      {">", Qt::Key_Greater, true},      {"=", Qt::Key_Equal, false},        {"+", Qt::Key_Plus, true},
      {"-", Qt::Key_Minus, false},       {"_", Qt::Key_Underscore, true}};
  for (const auto& [typed, key, shift] : characters) {
    if (typed == text) return {key, shift ? Qt::ShiftModifier : Qt::NoModifier, text};
  }
  return {0, Qt::NoModifier, text};
}

QtKey qtKeyForBinding(const KeyBinding& binding) {
  if (binding.typed != nullptr) return qtKeyForCharacter(QString::fromUtf8(binding.typed));
  QtKey key = qtKeyFor(binding.key);
  if (binding.ctrl) {
    key.modifiers |= Qt::ControlModifier;
    key.text.clear();
  }
  if (binding.shift) key.modifiers |= Qt::ShiftModifier;
  return key;
}

// The key a menu text shows after its tab ("Ctrl+Shift+S", "Down Arrow",
// "Ins", ">").
QtKey qtKeyForMenuText(const QString& label) {
  static const QMap<QString, Key> names = {
      {"Ins", Key::Insert},       {"Del", Key::Delete},          {"Home", Key::Home},      {"Esc", Key::Escape},
      {"PageUp", Key::PageUp},    {"PageDown", Key::PageDown},   {"Space", Key::Space},    {"Up Arrow", Key::Up},
      {"Down Arrow", Key::Down},  {"Left Arrow", Key::Left},     {"Right Arrow", Key::Right}};
  QString rest = label;
  Qt::KeyboardModifiers modifiers;
  while (rest.size() > 1 && (rest.startsWith("Ctrl+") || rest.startsWith("Shift+"))) {
    modifiers |= rest.startsWith("Ctrl+") ? Qt::ControlModifier : Qt::ShiftModifier;
    rest = rest.mid(rest.indexOf('+') + 1);
  }
  Key key = Key::None;
  if (names.contains(rest)) {
    key = names.value(rest);
  } else if (rest.size() == 1 && rest[0].isLetter()) {
    key = static_cast<Key>(static_cast<int>(Key::A) + (rest[0].toLatin1() - 'A'));
  } else if (rest.size() == 1 && rest[0].isDigit()) {
    key = static_cast<Key>(static_cast<int>(Key::Digit0) + (rest[0].toLatin1() - '0'));
  } else if (rest.size() >= 2 && rest[0] == 'F' && rest.mid(1).toInt() > 0) {
    key = static_cast<Key>(static_cast<int>(Key::F1) + rest.mid(1).toInt() - 1);
  } else {
    return qtKeyForCharacter(rest);
  }
  QtKey out = qtKeyFor(key);
  out.modifiers |= modifiers;
  if (modifiers.testFlag(Qt::ControlModifier)) out.text.clear();
  return out;
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void menusFollowTheMenuData_data() {
    QTest::addColumn<QString>("menu");
    for (const MenuItem& top : mainMenuBar()) QTest::newRow(top.text.c_str()) << QString::fromStdString(top.text);
    QTest::newRow("MapMenu") << QStringLiteral("MapMenu");
    QTest::newRow("TileMenu") << QStringLiteral("TileMenu");
  }

  void menusFollowTheMenuData() {
    QFETCH(QString, menu);
    FrameFixture frame(true);
    if (menu == "MapMenu") {
      compareMenu(*frame, frame->mapMenu(), mapContextMenu().items, menu);
    } else if (menu == "TileMenu") {
      compareMenu(*frame, frame->tileMenu(), tileContextMenu().items, menu);
    } else {
      for (const MenuItem& top : mainMenuBar()) {
        if (QString::fromStdString(top.text) == menu) compareMenu(*frame, menuBarMenu(*frame, menu), top.items, menu);
      }
    }
  }

  void everyCommandHasOneActionWithItsPrompt() {
    FrameFixture frame;
    QCOMPARE(frame->actions().all().size(), commandTable().size());
    const QAction* zoomOut = frame->actions().action(cmd::kZoomOut);
    QCOMPARE(zoomOut->statusTip(), QStringLiteral("Move to the lext lower zoom setting"));
    QCOMPARE(zoomOut->toolTip(), QStringLiteral("Zoom Out"));
    QCOMPARE(frame->actions().action(cmd::kNewMapWizard)->toolTip(), QStringLiteral("New Map Wizard (Ctrl+N)"));
    QCOMPARE(frame->actions().action(cmd::kUniqueTileCount)->text(), QStringLiteral("Unique Tile Count\tCtrl+U"));
  }

  void toolbarButtonsInOrder() {
    FrameFixture frame;
    QStringList order;
    for (QAction* action : frame->toolBar().actions()) {
      order << (action->isSeparator() ? QStringLiteral("|") : QString::number(action->data().toInt()));
    }
    QCOMPARE(order.join(' '), QStringLiteral("57600 57601 | 32779 | 57603 32792 32791 | 32780 61219 | 32803 | "
                                             "32809 32807 32808 32810 61234 61261"));
    for (QAction* action : frame->toolBar().actions()) {
      if (!action->isSeparator()) QVERIFY(!action->icon().isNull());
    }
  }

  void everyKeyBindingFiresItsCommand_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    for (const CommandInfo& info : commandTable()) {
      for (const KeyBinding& binding : info.keys) {
        const QtKey key = qtKeyForBinding(binding);
        const std::string row = std::to_string(info.id) + " " + binding.label();
        QTest::newRow(row.c_str()) << info.id << key.key << key.modifiers << key.text;
      }
    }
  }

  void everyKeyBindingFiresItsCommand() {
    QFETCH(int, id);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    FrameFixture frame;
    std::vector<int>& fired = frame.recordCommands();
    frame.press(key, modifiers, text);
    QCOMPARE(fired, std::vector<int>{id});
  }

  // The key a menu item shows is a key that runs it.
  void menuKeyTextsRunTheirCommand_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("keyText");
    std::vector<MenuItem> menus = mainMenuBar();
    menus.push_back(mapContextMenu());
    menus.push_back(tileContextMenu());
    for (const MenuPlacement& placement : commandPlacements(menus)) {
      const QString text = QString::fromStdString(placement.item->text);
      const qsizetype tab = text.indexOf('\t');
      if (tab < 0) continue;
      const std::string row = placement.path + "/" + placement.item->text.substr(0, static_cast<std::size_t>(tab));
      QTest::newRow(row.c_str()) << placement.item->id << text.mid(tab + 1);
    }
  }

  void menuKeyTextsRunTheirCommand() {
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

  void keypadDigitsScrollAndMainRowDigitsZoom() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    const ViewState& view = frame->engine().state().view;
    const int scrollY = view.scrollY;
    frame.press(Qt::Key_2, Qt::KeypadModifier, QStringLiteral("2"));
    QCOMPARE(view.mapZoom, 2.0f);
    QVERIFY(view.scrollY != scrollY);
    frame.press(Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    QCOMPARE(view.mapZoom, 3.0f);
  }

  void tabAndSpaceReachTheView() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    const ViewState& view = frame->engine().state().view;
    frame.press(Qt::Key_Tab);
    QVERIFY(view.tileViewShown);
    frame.press(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QVERIFY(!view.tileViewShown);
  }

  void enabledStates_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QList<int>>("enabled");
    QTest::addColumn<QList<int>>("disabled");
    using namespace cmd;
    const QList<int> needMap = {kSaveMap,     kSaveMapAs,      kExportBinary,   kExportHeaders,
                                kAddLayer,    kResizeLayer,    kUniqueTileCount, kPaintMode,
                                kDetailPaintMode, kRubberStampMode, kFloodFillMode, kFlagPaintMode,
                                kEntityPlacementMode};
    const QList<int> layersMenu = {kDeleteLayer,  kCloneLayer,     kMergeDown,      kEatHiddenTiles,
                                   kShiftLayer,   kFlipLayerVertically, kFlipLayerHorizontally, kPreviousLayer,
                                   kNextLayer,    kShuffleLayerUp, kShuffleLayerDown, kToggleLayerVisibility,
                                   kToggleLayerAlpha, kToggleLayerLocking, kExportLayerBmp, kImportBmpLayer,
                                   kImportSourceLayer};
    const QList<int> never = {kPaletteRemapper};
    const QList<int> always = {kNewMapWizard, kOpenMap, kOpenTilesets, kMakeCll, kPreferences, kExit, kAbout,
                               kToggleView, kValidateTileset};
    QTest::newRow("no map") << "no map" << always << needMap + layersMenu + never + QList<int>{kExportCollision, kUndo, kRedo};
    QTest::newRow("map open") << "map open" << always + needMap + layersMenu
                              << never + QList<int>{kExportCollision, kUndo, kRedo};
    QTest::newRow("collision set") << "collision set" << always + layersMenu + QList<int>{kExportCollision}
                                   << never;
  }

  void enabledStates() {
    QFETCH(QString, state);
    QFETCH(QList<int>, enabled);
    QFETCH(QList<int>, disabled);
    FrameFixture frame;
    if (state != "no map") QVERIFY(frame.loadDemo());
    if (state == "collision set") frame->engine().project().collisionSetEditing = true;
    frame->showEngineState();
    for (int id : enabled) QVERIFY2(frame->actions().action(id)->isEnabled(), qPrintable(QString::number(id)));
    for (int id : disabled) QVERIFY2(!frame->actions().action(id)->isEnabled(), qPrintable(QString::number(id)));
  }

  void aDisabledAcceleratorDoesNothing() {
    FrameFixture frame;
    frame.press(Qt::Key_S, Qt::ControlModifier);  // Save without a map
    QVERIFY(frame.services.saveRequests.empty());
    QVERIFY(frame.services.messages.empty());
    frame.press(Qt::Key_F5);  // the tools need a map
    QCOMPARE(frame->engine().state().tools.tool, ToolKind::Paint);
  }

  void menusBringTheirStatesUpToDateWhenTheyOpen() {
    FrameFixture frame;
    QAction* save = frame->actions().action(cmd::kSaveMap);
    QVERIFY(!save->isEnabled());
    // A map arrives behind the window's back; opening the menu notices.
    QVERIFY(loadMapBehindTheFrame(frame));
    QVERIFY(!save->isEnabled());
    QMenu* file = menuBarMenu(*frame, QStringLiteral("&File"));
    QMetaObject::invokeMethod(file, "aboutToShow");
    QVERIFY(save->isEnabled());
  }

  void aMenuClickRunsItsCommandOnce() {
    FrameFixture frame;
    std::vector<int>& fired = frame.recordCommands();
    frame->actions().action(cmd::kGrid)->trigger();
    QCOMPARE(fired, std::vector<int>{cmd::kGrid});
  }

 private:
  static bool loadMapBehindTheFrame(FrameFixture& frame);
};

#include "edit/session/map_file_commands.h"

bool CommandsTest::loadMapBehindTheFrame(FrameFixture& frame) {
  return loadMap(frame->engine().session(), examplePath("demo.qrm"));
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
