#include <gtest/gtest.h>

#include <set>

#include "edit/commands/command_table.h"
#include "edit/script/edit_script.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

// The accelerator list as the editor documents it, written out here rather
// than read from the table.
struct Accelerator {
  const char* key;  // "Ctrl+Shift+S", "PageUp", or a typed character
  int id;
};
const Accelerator kAccelerators[] = {
    {"Ctrl+N", 57600}, {"Ctrl+O", 57601}, {"Ctrl+S", 57603}, {"Ctrl+Shift+S", 57604}, {"Ctrl+T", 32779},
    {"Ctrl+U", 32803}, {"Ctrl+Z", 57643}, {"Ctrl+V", 32798}, {"Ctrl+A", 32799}, {"Ctrl+L", 32804},
    {"Ctrl+G", 61235}, {"A", 61211}, {"B", 61227}, {"C", 61220}, {"F", 61213}, {"G", 61210}, {"H", 61208},
    {"T", 61226}, {"V", 61209}, {"1", 32783}, {"2", 32784}, {"3", 32785}, {"4", 32786}, {"5", 32802},
    {"6", 32805}, {"7", 32830}, {"8", 32831}, {"9", 32832}, {"0", 32833}, {"Insert", 61243}, {"Delete", 61244},
    {"Home", 61212}, {"Escape", 32787}, {"PageUp", 32797}, {"Shift+PageUp", 32800}, {"PageDown", 32796},
    {"Shift+PageDown", 32801}, {"Up", 61229}, {"Down", 61228}, {"Left", 61230}, {"Right", 61230},
    {"F1", 32809}, {"F2", 32807}, {"F3", 32808}, {"F4", 32810}, {"F5", 61234}, {"F6", 61261}, {"F8", 32835},
    {"F9", 61218}, {"F10", 61258}, {"F11", 61259}, {"[", 32814}, {"]", 32817}, {"\\", 61215}, {",", 32790},
    {"<", 32790}, {".", 32789}, {">", 32789}, {"=", 32859}, {"+", 32862}, {"-", 32863}, {"_", 32865},
};

KeyEvent eventFor(const std::string& label) {
  Modifiers m;
  std::string name = label;
  for (;;) {
    if (name.rfind("Ctrl+", 0) == 0 && name.size() > 5) {
      m.ctrl = true;
      name = name.substr(5);
    } else if (name.rfind("Shift+", 0) == 0 && name.size() > 6) {
      m.shift = true;
      name = name.substr(6);
    } else {
      break;
    }
  }
  std::optional<KeyEvent> event = scriptKey(name, m);
  EXPECT_TRUE(event) << label;
  return event.value_or(KeyEvent{});
}

TEST(Accelerators, EveryKeyRunsItsCommandAndNoKeyIsBoundTwice) {
  std::set<std::string> labels;
  for (const Accelerator& a : kAccelerators) {
    EXPECT_EQ(commandForKey(eventFor(a.key)), a.id) << a.key;
    labels.insert(a.key);
  }
  int bindings = 0;
  for (const CommandInfo& info : commandTable()) {
    for (const KeyBinding& binding : info.keys) {
      ++bindings;
      EXPECT_EQ(labels.count(binding.label()), 1u) << "unlisted key " << binding.label() << " on " << info.id;
    }
  }
  EXPECT_EQ(bindings, static_cast<int>(std::size(kAccelerators)));
  // Keys that must stay free: the keypad, Shift with a letter, Ctrl with a typed character.
  for (const char* free : {"Keypad1", "Keypad0", "Shift+A", "Space", "Tab", "Ctrl+Shift+A", "F7"}) {
    EXPECT_EQ(commandForKey(eventFor(free)), 0) << free;
  }
  KeyEvent ctrlPlus{Key::Other, "+", {false, true, false}};
  EXPECT_EQ(commandForKey(ctrlPlus), 0);
}

TEST(Accelerators, DisabledCommandsSwallowTheirKeys) {
  EngineFixture f;
  f.key(Key::F3);
  EXPECT_EQ(f.state().tools.tool, ToolKind::Paint) << "no map open: the tools are disabled";
  f.layer("Level", 30, 20, LayerKind::Primary);
  f.layer("Collision", 30, 20, LayerKind::Collision);
  f.key(Key::F3);
  EXPECT_EQ(f.state().tools.tool, ToolKind::RubberStamp);
  MapLayer* active = f.project().activeLayer;
  for (Key k : {Key::F5, Key::F6}) {
    f.key(k);
    EXPECT_EQ(f.state().tools.tool, ToolKind::RubberStamp);
  }
  EXPECT_EQ(f.project().activeLayer, active);
  EXPECT_FALSE(f.engine->flagsBarShown());
  EXPECT_TRUE(f.commands->checked(cmd::kRubberStampMode));
}

TEST(Accelerators, DetailBrushKeysGrowWidthAndHeightButNeverUniformly) {
  EngineFixture f;
  const DetailBrush& d = f.state().detail;
  f.key(Key::Other, "=");
  f.key(Key::Other, "+");
  f.key(Key::Other, "+");
  EXPECT_EQ(d.widthLevel, 4);
  EXPECT_EQ(d.heightLevel, 5);
  f.key(Key::Other, "_");
  f.key(Key::Other, "-");
  EXPECT_EQ(d.widthLevel, 3);
  EXPECT_EQ(d.heightLevel, 4);
  f.run(cmd::kShapeRectangle);
  EXPECT_TRUE(f.commands->checked(cmd::kShapeRectangle));
  EXPECT_FALSE(f.commands->checked(cmd::kShapeEllipse));
}

TEST(ToolSelection, FlagAndEntityToolsBringTheirBarsAndLayers) {
  EngineFixture f;
  MapLayer& level = f.layer("Level", 30, 20, LayerKind::Primary);
  MapLayer& collision = f.layer("Collision", 30, 20, LayerKind::Collision);
  MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
  collision.visible = false;
  f.project().setActiveLayer(&level);
  f.project().selectedEntity = 3;
  f.engine->mapTools().setTool(ToolKind::FlagPaint);
  EXPECT_TRUE(f.engine->flagsBarShown());
  EXPECT_EQ(f.project().activeLayer, &collision);
  EXPECT_TRUE(collision.visible);
  EXPECT_EQ(f.project().selectedEntity, -1);
  f.engine->mapTools().setTool(ToolKind::EntityPlacement);
  EXPECT_TRUE(f.engine->entitiesBarShown());
  EXPECT_FALSE(f.engine->flagsBarShown());
  EXPECT_EQ(f.project().activeLayer, &entities);
  EXPECT_TRUE(f.engine->takeRequests().focus);
  f.project().selectedEntity = 2;
  f.run(cmd::kPaintMode);
  EXPECT_FALSE(f.engine->entitiesBarShown());
  EXPECT_EQ(f.project().selectedEntity, -1);
}

TEST(EditScript, MalformedLinesAreReportedWithTheirNumber) {
  const struct {
    const char* script;
    int line;
    const char* error;
  } cases[] = {
      {"size 10\n", 1, "\"size\" needs 2 arguments"},
      {"# fine\n\npress 1 2\nmove a 3\n", 4, "coordinates must be whole numbers"},
      {"press 1 2 left right\n", 1, "more than one button"},
      {"wheel 1 2 x\n", 1, "the wheel delta must be a whole number"},
      {"key F13\n", 1, "unknown key \"F13\""},
      {"key A hyper\n", 1, "unexpected \"hyper\""},
      {"answer maybe\n", 1, "answer is yes, no, cancel or ok"},
      {"command 1\n", 1, "unknown command \"1\""},
      {"choose\n", 1, "choose needs a path"},
      {"jump 1 2\n", 1, "unknown command \"jump\""},
  };
  for (const auto& c : cases) {
    const ScriptParseResult result = parseEditScript(c.script);
    EXPECT_EQ(result.errorLine, c.line) << c.script;
    EXPECT_EQ(result.error, c.error) << c.script;
    EXPECT_TRUE(result.steps.empty());
  }
  const ScriptParseResult ok = parseEditScript(
      "size 640 480 # half\nmove 3 4 left middle shift\nset Settings DefMapPath /a folder/x\nchoose /tmp/my map.qrm\n");
  ASSERT_EQ(ok.errorLine, 0);
  ASSERT_EQ(ok.steps.size(), 4u);
  EXPECT_TRUE(ok.steps[1].held.left && ok.steps[1].held.middle && ok.steps[1].modifiers.shift);
  EXPECT_EQ(ok.steps[2].value, "/a folder/x");
  EXPECT_EQ(ok.steps[3].name, "/tmp/my map.qrm");
}

TEST(EditScript, KeyNamesTellTheKeypadFromTheMainRow) {
  EXPECT_EQ(scriptKey("Keypad3", {})->key, Key::Keypad3);
  EXPECT_EQ(scriptKey("3", {})->key, Key::Digit3);
  EXPECT_EQ(scriptKey("Plus", {})->text, "+");
  EXPECT_EQ(scriptKey("a", {true, false, false})->text, "A");
  EXPECT_EQ(scriptKey("[", {})->key, Key::Other);
  EXPECT_FALSE(scriptKey("Keypad", {}));
}

}  // namespace
}  // namespace qarto::test
