#include <gtest/gtest.h>

#include <map>
#include <set>

#include "edit/collision/make_cll_wizard.h"
#include "edit/commands/command_table.h"
#include "edit/commands/menu_layout.h"
#include "engine_fixture.h"
#include "support/page_files.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

// Every command number of the editor, written out here, with whether it is
// enabled with no map (N), with a map open (M) and while a collision set is
// edited (C).
struct Rule {
  int id;
  const char* enabled;  // "NMC": a letter where enabled, "-" where not
};
const Rule kRules[] = {
    {57600, "NMC"}, {57601, "NMC"}, {32779, "NMC"}, {57603, "-MC"}, {57604, "-MC"}, {32791, "-MC"},
    {32792, "-MC"}, {61216, "NMC"}, {61217, "--C"}, {61260, "NMC"}, {57665, "NMC"}, {57643, "---"},
    {59392, "NMC"}, {32866, "NMC"}, {59393, "NMC"}, {61214, "NMC"}, {32780, "-MC"}, {61219, "-MC"},
    {32806, "-MC"}, {61238, "-MC"}, {61263, "-MC"}, {61264, "-MC"}, {61242, "-MC"}, {61240, "-MC"},
    {61241, "-MC"}, {32797, "-MC"}, {32796, "-MC"}, {32800, "-MC"}, {32801, "-MC"}, {32798, "-MC"},
    {32799, "-MC"}, {32804, "-MC"}, {61225, "NMC"}, {61223, "NMC"}, {61224, "NMC"}, {61222, "-MC"},
    {61236, "-MC"}, {61237, "-MC"}, {61232, "---"}, {61262, "NMC"}, {32835, "NMC"}, {57664, "NMC"},
    {32783, "NMC"}, {32784, "NMC"}, {32785, "NMC"}, {32786, "NMC"}, {32802, "NMC"}, {32805, "NMC"},
    {32830, "NMC"}, {32831, "NMC"}, {32832, "NMC"}, {32833, "NMC"}, {61243, "NMC"}, {61244, "NMC"},
    {32814, "NMC"}, {32817, "NMC"}, {61215, "NMC"}, {61210, "NMC"}, {61235, "NMC"}, {61213, "NMC"},
    {61220, "NMC"}, {61227, "NMC"}, {61212, "NMC"}, {61211, "NMC"}, {61208, "NMC"}, {61209, "NMC"},
    {61226, "NMC"}, {32787, "NMC"}, {32789, "NMC"}, {32790, "NMC"}, {32853, "NMC"}, {32854, "NMC"},
    {32855, "NMC"}, {32856, "NMC"}, {32861, "NMC"}, {32859, "NMC"}, {32862, "NMC"}, {32864, "NMC"},
    {32863, "NMC"}, {32865, "NMC"}, {61228, "NMC"}, {61230, "NMC"}, {61229, "NMC"}, {61218, "NMC"},
    {61258, "NMC"}, {61259, "NMC"}, {61245, "NMC"}, {61246, "NMC"}, {61247, "NMC"}, {32803, "-MC"},
    {32809, "-MC"}, {32807, "-MC"}, {32808, "-MC"}, {32810, "-MC"}, {61234, "---"}, {61261, "---"},
};

TEST(CommandTable, EveryCommandHasItsEntryAndEveryMenuItemACommand) {
  std::set<int> ids;
  for (const Rule& rule : kRules) {
    EXPECT_NE(findCommand(rule.id), nullptr) << rule.id;
    ids.insert(rule.id);
  }
  for (int id = 57616; id <= 57624; ++id) ids.insert(id);  // the recent files
  EXPECT_EQ(ids.size(), commandTable().size()) << "the table holds no command beyond the listed ones";

  EngineFixture f;
  std::vector<MenuPlacement> places = commandPlacements(mainMenuBar());
  for (const MenuItem* menu : {&mapContextMenu(), &tileContextMenu()}) {
    std::vector<MenuPlacement> more = commandPlacements(menu->items, menu->text);
    places.insert(places.end(), more.begin(), more.end());
  }
  EXPECT_EQ(places.size(), 42u + 43u + 22u);  // menu bar, MapMenu, TileMenu
  for (const MenuPlacement& place : places) {
    EXPECT_EQ(ids.count(place.item->id), 1u) << place.path << "/" << place.item->text;
    EXPECT_TRUE(f.commands->known(place.item->id) || place.item->id == 61232) << place.item->text;
  }
}

TEST(CommandTable, EnabledRulesForNoMapAMapAndACollisionSet) {
  EngineFixture noMap;
  EngineFixture withMap;
  withMap.layer("Level", 32, 20, LayerKind::Primary);
  EngineFixture collisionSet;
  TempFolder folder;
  const std::string page = writePage(folder, "page.bmp", makePage(16, 8, [](int, int) { return std::uint8_t{1}; }));
  ASSERT_TRUE(runMakeCllWizard(collisionSet.engine->session(), MakeCllRequest{page}, {}));

  for (const Rule& rule : kRules) {
    EXPECT_EQ(noMap.commands->enabled(rule.id), rule.enabled[0] == 'N') << rule.id << " with no map";
    EXPECT_EQ(withMap.commands->enabled(rule.id), rule.enabled[1] == 'M') << rule.id << " with a map";
    EXPECT_EQ(collisionSet.commands->enabled(rule.id), rule.enabled[2] == 'C') << rule.id << " in a collision set";
  }
  // A disabled command does nothing, whichever way it comes.
  const std::vector<MapCell> before = withMap.project().layerAt(0)->cells;
  EXPECT_FALSE(noMap.commands->run(32808));
  EXPECT_EQ(noMap.state().tools.tool, ToolKind::Paint);
  withMap.key(Key::F5);
  EXPECT_EQ(withMap.state().tools.tool, ToolKind::Paint);
  EXPECT_EQ(withMap.project().layerAt(0)->cells, before);
}

TEST(CommandTable, LayerCommandsWithoutAnActiveLayerTouchNothing) {
  EngineFixture f;
  f.layer("Level", 32, 20, LayerKind::Primary);
  f.layer("Sky", 0, 0, LayerKind::Secondary, 0.5f);
  f.project().setActiveLayer(nullptr);
  for (int id : {32806, 61238, 61263, 61240, 61241, 32797, 32796, 32800, 32801, 32798, 32799, 32804, 61258}) {
    f.commands->run(id);
  }
  EXPECT_EQ(f.project().layerCount(), 2);
  EXPECT_FALSE(f.project().journal().canUndo());
  EXPECT_EQ(f.services.lastText(), "There is no currently active layer to be deleted.");
}

}  // namespace
}  // namespace qarto::test
