#include <gtest/gtest.h>

#include "edit/session/tileset_commands.h"
#include "session_fixture.h"

namespace qarto {
namespace {

using test::SessionFixture;

const std::string kTilesetFilter =
    "All Supported Tileset Formats|*.bmp;*.pcx;*.png|Bitmaps (*.bmp)|*.bmp|ZSoft PCX (*.pcx)|*.pcx|Indexed PNG "
    "(*.png)|*.png||";
const std::string kUnoptimizedText =
    "Unoptimized mode only allows one tileset to be loaded at a time.  Collision tiles Do Not count as a regular "
    "texture tileset.";

TEST(TilesetLoading, CollisionTilesetIsIdOneAndIdsAreNeverReused) {
  SessionFixture f;
  const Tileset* collision = f.registry().find(1);
  ASSERT_NE(collision, nullptr);
  EXPECT_EQ(std::tuple(f.project().collisionTileset, f.project().currentTilesetId, f.project().tilesetsLoaded),
            std::tuple(collision, 1, false));
  for (const char* name : {"a.bmp", "b.bmp"}) ASSERT_NE(f.load(f.page(name, 16, 16)), nullptr);
  EXPECT_EQ(std::tuple(f.registry().find(3)->displayName, f.project().tilesetsLoaded), std::tuple("b", true));

  // Ids above 127 cannot be stored in cells: refused once, not once per file.
  f.project().lastTilesetId = 126;
  const std::string path = f.page("p.bmp", 16, 16);
  EXPECT_EQ(f.load(path)->id, 127);
  const std::size_t registered = f.registry().size();
  f.services.openFileAnswers.push_back({path, path});
  openTilesets(f.session);
  EXPECT_EQ(std::tuple(f.registry().size(), f.project().lastTilesetId), std::tuple(registered, 127));
  EXPECT_EQ(f.services.messages,
            std::vector{test::shown("No more tilesets can be loaded into this map.  Tileset ids above 127 cannot be "
                                    "stored in map cells.",
                                    MessageIcon::Warning, " - Tile Load Error")});
}

TEST(TilesetLoading, FirstPageFillsTheLayersWithItsFirstBlankTileAndLaterPagesChangeNothing) {
  SessionFixture f;
  MapLayer& primary = f.primary(32, 32);
  MapLayer* collision = f.project().addLayer("Coll", 32, 32, 1.0f, 1.0f, LayerKind::Collision, false);
  Tileset* first = f.load(f.page("first.bmp", 32, 16, {5, 6}));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(primary.cells, std::vector<MapCell>(1024, MapCell{5, static_cast<std::int8_t>(first->id)}));
  EXPECT_EQ(collision->cells, std::vector<MapCell>(1024, MapCell{0, 1}));
  ASSERT_NE(f.load(f.page("second.bmp", 16, 16, {0})), nullptr);
  EXPECT_EQ(primary.cells, std::vector<MapCell>(1024, MapCell{5, static_cast<std::int8_t>(first->id)}));

  // A page without a blank tile fills with tile 0.
  SessionFixture g;
  MapLayer& full = g.primary(30, 20);
  for (MapCell& cell : full.cells) cell.tile = 7;
  ASSERT_NE(g.load(g.page("full.bmp", 16, 16)), nullptr);
  for (const MapCell& cell : full.cells) ASSERT_EQ(cell.tile, 0);
}

TEST(TilesetLoading, OpenTilesetsAsksWithTheTilesetFolderAndLoadsEachFileInTurn) {
  SessionFixture f;
  f.settings.writeText("Settings", "DefTilesetPath", "/pages/default");
  f.settings.writeText("Settings", "LastTilesetPath", "/pages/last");
  // A store that never got the start-up default uses the default folder.
  openTilesets(f.session);
  f.settings.writeInt("Settings", "UseDefTilesetPath", 0);
  openTilesets(f.session);
  ASSERT_EQ(f.services.openRequests.size(), 2u);
  EXPECT_EQ(test::describe(f.services.openRequests[0]),
            test::chooser("Open Tilesets", kTilesetFilter, ".bmp", "/pages/default", "", true));
  EXPECT_EQ(f.services.openRequests[1].initialFolder, "/pages/last");
  EXPECT_EQ(f.registry().size(), 1u);  // cancelled twice

  // A bad file is reported and the rest still load.
  f.primary();
  f.project().modified = false;
  const std::string bad = f.folder.file("notes.txt");
  test::writeBytes(bad, {1, 2, 3});
  f.services.openFileAnswers.push_back({f.page("one.bmp", 16, 16), bad, f.page("two.bmp", 16, 8)});
  const int layoutsBefore = f.host.layouts;
  openTilesets(f.session);
  EXPECT_EQ(f.settings.readText("Settings", "LastTilesetPath", ""), f.folder.path());
  EXPECT_EQ(f.services.messages,
            std::vector{test::shown("Unknown file type.", MessageIcon::Warning, " - Tile Load Error")});
  EXPECT_EQ(std::tuple(f.registry().find(2)->displayName, f.registry().find(3)->displayName, f.project().modified,
                       f.host.layouts > layoutsBefore),
            std::tuple("one", "two", true, true));
}

TEST(TilesetLoading, UnoptimizedModeAllowsOnlyOnePage) {
  SessionFixture f;
  f.project().unoptimizedMode = true;
  // Only the collision tileset present: allowed, a single file.
  f.services.openFileAnswers.push_back({f.page("a.bmp", 16, 16)});
  openTilesets(f.session);
  EXPECT_EQ(std::tuple(f.services.openRequests.at(0).multiple, f.registry().countNonCollision()), std::tuple(false, 1));
  // One image page present: refused before the chooser, and dropping cannot get round it.
  openTilesets(f.session);
  dropTilesets(f.session, {f.page("b.bmp", 16, 16)});
  EXPECT_EQ(std::tuple(f.services.openRequests.size(), f.registry().countNonCollision()), std::tuple(1u, 1));
  EXPECT_EQ(f.services.messages, std::vector(2, test::shown(kUnoptimizedText, MessageIcon::Information)));
}

TEST(TilesetLoading, ExportTilesetWritesThePageAndReportsWriterFailures) {
  SessionFixture f;
  f.settings.writeInt("Settings", "UseDefTilesetPath", 0);
  f.settings.writeText("Settings", "LastTilesetPath", "/pages/last");
  const std::string source = f.page("src.bmp", 16, 8, {1});
  ASSERT_NE(f.load(source), nullptr);
  f.project().currentTilesetId = 2;
  exportCurrentTileset(f.session);  // cancelled
  EXPECT_EQ(test::describe(f.services.saveRequests.at(0)),
            test::chooser("Export Tileset", "Image Files (*.bmp)|*.bmp||", ".bmp", "/pages/last"));

  const std::string out = f.folder.file("out.bmp");
  const std::string unwritable = f.folder.file("no/such/folder/out.bmp");
  f.services.saveFileAnswers = {out, unwritable};
  exportCurrentTileset(f.session);
  EXPECT_EQ(std::tuple(test::readBytes(out), f.settings.readText("Settings", "LastTilesetPath", "")),
            std::tuple(test::readBytes(source), f.folder.path()));
  exportCurrentTileset(f.session);
  EXPECT_EQ(f.services.messages, std::vector{test::shown("File <" + unwritable + "> could not be opened for writing.",
                                                         MessageIcon::Warning, " - Export Tileset")});
}

}  // namespace
}  // namespace qarto
