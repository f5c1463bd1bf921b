#include <gtest/gtest.h>

#include "edit/tileset_commands.h"
#include "io/bmp_codec.h"
#include "session_fixture.h"

namespace qarto {
namespace {

using test::SessionFixture;

constexpr const char* kTilesetFilter =
    "All Supported Tileset Formats|*.bmp;*.pcx|Bitmaps (*.bmp)|*.bmp|ZSoft PCX (*.pcx)|*.pcx||";
constexpr const char* kUnoptimizedText =
    "Unoptimized mode only allows one tileset to be loaded at a time.  Collision tiles Do Not count as a regular "
    "texture tileset.";
constexpr const char* kIdsExhaustedText =
    "No more tilesets can be loaded into this map.  Tileset ids above 127 cannot be stored in map cells.";

TEST(TilesetLoading, CollisionTilesetIsIdOneAndCurrentAndIdsAreNeverReused) {
  SessionFixture f;
  Tileset* collision = f.registry().find(1);
  ASSERT_NE(collision, nullptr);
  EXPECT_TRUE(collision->isCollisionTileset);
  EXPECT_EQ(f.project().collisionTileset, collision);
  EXPECT_EQ(f.project().currentTilesetId, 1);
  EXPECT_EQ(collision->tileCount, 32);  // the built-in page stands in for the missing file
  EXPECT_FALSE(f.project().tilesetsLoaded);

  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) ASSERT_NE(f.load(f.page(name, 16, 16)), nullptr);
  EXPECT_NE(f.registry().find(2), nullptr);
  EXPECT_NE(f.registry().find(3), nullptr);
  EXPECT_EQ(f.registry().find(4)->displayName, "c");
  EXPECT_TRUE(f.project().tilesetsLoaded);

  f.project().currentTilesetId = 3;
  removeCurrentTileset(f.session);
  EXPECT_EQ(f.registry().find(3), nullptr);
  EXPECT_EQ(f.host.brushes, (std::set<std::int32_t>{1, 2, 4}));
  EXPECT_EQ(f.project().currentTilesetId, 4);  // the next id after the removed one

  Tileset* fifth = f.load(f.page("d.bmp", 16, 16));
  ASSERT_NE(fifth, nullptr);
  EXPECT_EQ(fifth->id, 5);
}

TEST(TilesetLoading, FirstPageFillsTheLayersWithItsFirstBlankTileAndLaterPagesChangeNothing) {
  SessionFixture f;
  MapLayer& primary = f.primary(32, 32);
  MapLayer* collision = f.project().addLayer("Coll", 32, 32, 1.0f, 1.0f, LayerKind::Collision, false);
  ASSERT_NE(collision, nullptr);
  f.project().modified = false;

  Tileset* first = f.load(f.page("first.bmp", 32, 16, {5, 6}));
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(primary.cells.size(), 1024u);
  for (const MapCell& cell : primary.cells) {
    ASSERT_EQ(cell.tile, 5);
    ASSERT_EQ(cell.tileset, first->id);
  }
  for (const MapCell& cell : collision->cells) ASSERT_EQ(cell.tileset, 1);

  const std::vector<MapCell> before = primary.cells;
  ASSERT_NE(f.load(f.page("second.bmp", 16, 16, {0})), nullptr);
  EXPECT_EQ(primary.cells, before);
}

TEST(TilesetLoading, PageWithoutBlankTileFillsWithTileZero) {
  SessionFixture f;
  MapLayer& primary = f.primary(30, 20);
  for (MapCell& cell : primary.cells) cell.tile = 7;
  Tileset* page = f.load(f.page("full.bmp", 16, 16));
  ASSERT_NE(page, nullptr);
  for (const MapCell& cell : primary.cells) ASSERT_EQ(cell.tile, 0);
}

TEST(TilesetLoading, OpenTilesetsAsksWithTheTilesetFolderAndRemembersTheChoice) {
  SessionFixture f;
  f.settings.writeText("Settings", "DefTilesetPath", "/pages/default");
  f.settings.writeText("Settings", "LastTilesetPath", "/pages/last");

  // A store that never got the start-up default uses the default folder.
  openTilesets(f.session);
  f.settings.writeInt("Settings", "UseDefTilesetPath", 0);
  openTilesets(f.session);
  ASSERT_EQ(f.services.openRequests.size(), 2u);
  const FileChooserRequest& request = f.services.openRequests[0];
  EXPECT_EQ(request.title, "Open Tilesets");
  EXPECT_EQ(request.filter, kTilesetFilter);
  EXPECT_EQ(request.defaultExtension, ".bmp");
  EXPECT_TRUE(request.multiple);
  EXPECT_EQ(request.initialFolder, "/pages/default");
  EXPECT_EQ(f.services.openRequests[1].initialFolder, "/pages/last");
  EXPECT_EQ(f.registry().size(), 1u);  // cancelled twice

  // Each file in turn; a bad one is reported and the rest still load.
  f.primary();
  f.project().modified = false;
  const std::string good1 = f.page("one.bmp", 16, 16);
  const std::string bad = f.folder.file("notes.txt");
  test::writeBytes(bad, {1, 2, 3});
  const std::string good2 = f.page("two.bmp", 16, 8);
  f.services.openFileAnswers.push_back({good1, bad, good2});
  const int layoutsBefore = f.host.layouts;
  openTilesets(f.session);
  EXPECT_EQ(f.settings.readText("Settings", "LastTilesetPath", ""), f.folder.path());
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().text, "Unknown file type.");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Tile Load Error");
  EXPECT_EQ(f.registry().find(2)->displayName, "one");
  EXPECT_EQ(f.registry().find(3)->displayName, "two");
  EXPECT_TRUE(f.project().modified);
  EXPECT_GT(f.host.layouts, layoutsBefore);
}

TEST(TilesetLoading, UnoptimizedModeAllowsOnlyOnePage) {
  SessionFixture f;
  f.project().unoptimizedMode = true;
  const std::string a = f.page("a.bmp", 16, 16);
  const std::string b = f.page("b.bmp", 16, 16);

  // Only the collision tileset present: allowed, a single file.
  f.services.openFileAnswers.push_back({a});
  openTilesets(f.session);
  ASSERT_EQ(f.services.openRequests.size(), 1u);
  EXPECT_FALSE(f.services.openRequests[0].multiple);
  EXPECT_TRUE(f.services.messages.empty());
  EXPECT_EQ(f.registry().countNonCollision(), 1);

  // One image page present: refused before the chooser.
  openTilesets(f.session);
  EXPECT_EQ(f.services.openRequests.size(), 1u);
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().text, kUnoptimizedText);
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Information);

  // Dropping cannot get round it.
  dropTilesets(f.session, {b});
  EXPECT_EQ(f.registry().countNonCollision(), 1);
  EXPECT_EQ(f.services.lastMessage().text, kUnoptimizedText);
}

TEST(TilesetLoading, DroppedFilesLoadInOrder) {
  SessionFixture f;
  dropTilesets(f.session, {f.page("x.bmp", 16, 16), f.folder.file("missing.bmp"), f.page("y.bmp", 8, 8)});
  EXPECT_EQ(f.registry().find(2)->displayName, "x");
  EXPECT_EQ(f.registry().find(3)->displayName, "y");
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().text, "File <" + f.folder.file("missing.bmp") + "> not found!");
  EXPECT_FALSE(f.project().modified);  // no layers yet
}

TEST(TilesetLoading, IdsAbove127AreRefusedInsteadOfWrappingInCells) {
  SessionFixture f;
  const std::string path = f.page("p.bmp", 16, 16);
  f.project().lastTilesetId = 126;
  Tileset* last = f.load(path);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->id, 127);

  const std::size_t registered = f.registry().size();
  f.services.openFileAnswers.push_back({path, path});
  openTilesets(f.session);
  EXPECT_EQ(f.registry().size(), registered);
  EXPECT_EQ(f.project().lastTilesetId, 127);
  ASSERT_EQ(f.services.messages.size(), 1u);  // once, not once per file
  EXPECT_EQ(f.services.lastMessage().text, kIdsExhaustedText);
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Tile Load Error");
}

TEST(TilesetLoading, ExportTilesetWritesThePageAndReportsWriterFailures) {
  SessionFixture f;
  f.settings.writeInt("Settings", "UseDefTilesetPath", 0);
  f.settings.writeText("Settings", "LastTilesetPath", "/pages/last");
  const std::string source = f.page("src.bmp", 16, 8, {1});
  ASSERT_NE(f.load(source), nullptr);
  f.project().currentTilesetId = 2;

  exportCurrentTileset(f.session);  // cancelled
  ASSERT_EQ(f.services.saveRequests.size(), 1u);
  EXPECT_EQ(f.services.saveRequests[0].title, "Export Tileset");
  EXPECT_EQ(f.services.saveRequests[0].filter, "Image Files (*.bmp)|*.bmp||");
  EXPECT_EQ(f.services.saveRequests[0].defaultExtension, ".bmp");
  EXPECT_EQ(f.services.saveRequests[0].initialFolder, "/pages/last");

  const std::string out = f.folder.file("out.bmp");
  f.services.saveFileAnswers.push_back(out);
  exportCurrentTileset(f.session);
  EXPECT_EQ(test::readBytes(out), test::readBytes(source));
  EXPECT_EQ(f.settings.readText("Settings", "LastTilesetPath", ""), f.folder.path());

  const std::string unwritable = f.folder.file("no/such/folder/out.bmp");
  f.services.saveFileAnswers.push_back(unwritable);
  exportCurrentTileset(f.session);
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().text, "File <" + unwritable + "> could not be opened for writing.");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Export Tileset");
}

}  // namespace
}  // namespace qarto
