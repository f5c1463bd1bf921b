// The New Map Wizard's optional tile page: the new map starts with its tiles
// and the tile view opens on it, legibly; a picture that cannot be read is
// reported and the new map stays.
#include "edit/dialogs/new_map_tiles.h"
#include "edit/dialogs/new_map_wizard.h"
#include "edit/session/map_file_commands.h"
#include "engine_fixture.h"
#include "support/page_files.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

TEST(NewMapTiles, TheNewMapStartsWithTheChosenPageAndTheTileViewOpensOnIt) {
  TempFolder folder;
  // Tile 0 drawn, tile 1 blank: the new cells take the first blank tile.
  const std::string tiles = writePage(folder, "tiles.bmp", makePage(16, 8, [](int x, int) { return x < 8 ? 3 : 0; }));
  for (const bool readable : {true, false}) {
    EngineFixture f;
    NewMapWizardForm form = loadNewMapWizard(f.settings);
    form.tilePagePath = readable ? tiles : folder.file("gone.bmp");
    ASSERT_EQ(acceptNewMapWizard(f.engine->session(), form, MapFileHooks{}), NewMapOutcome::Created);
    const MapLayer* primary = f.project().findLayerOfKind(LayerKind::Primary);
    ASSERT_NE(primary, nullptr);
    Tileset* page = f.project().registry().firstNonCollision();
    EXPECT_EQ(page != nullptr, readable);
    f.engine->showFirstTilePage();
    if (!readable) {
      EXPECT_EQ(f.services.messages.size(), 1u);  // the loader's message; the map is there all the same
      EXPECT_FALSE(f.state().view.tileViewShown);
      continue;
    }
    EXPECT_EQ(std::tuple(primary->cell(5, 5).tile, primary->cell(5, 5).tileset, f.services.messages.size()),
              std::tuple(1, page->id, 0u));
    EXPECT_EQ(std::tuple(f.state().view.tileViewShown, f.project().currentTilesetId, f.state().view.tileZoom * 8 >= 16),
              std::tuple(true, page->id, true));
  }
}

}  // namespace
}  // namespace qarto::test
