#include <gtest/gtest.h>

#include "edit/session/map_file_commands.h"
#include "map_file_fixtures.h"

namespace qarto::test {
namespace {

TEST(MapFileOldRevisions, EveryOldRevisionIsTranslatedIntoTheCurrentModel) {
  TempFolder folder;
  for (int revision = 1; revision <= 6; ++revision) {
    SCOPED_TRACE("revision " + std::to_string(revision));
    const std::string path = folder.file("old" + std::to_string(revision) + ".qrm");
    writeAll(path, oldMap(revision));
    TestSession f;
    ASSERT_TRUE(loadMap(f.session, path));
    if (revision == 1) {
      EXPECT_EQ(f.services.messages,
                std::vector{shown("The map you are loading is possibly an old Qarto format.  Translation may allow "
                                  "this map to be properly viewed and editted.  If you resave this file, it will no "
                                  "longer be compatible with older versions of Qarto.\n\nIt is also possible that the "
                                  "map is an unknown/unsupported format. In this case, it is not recommened that you "
                                  "attempt to load this map.\n\nContinue?",
                                  MessageIcon::Exclamation, "", MessageButtons::OkCancel)});
    } else {
      EXPECT_TRUE(f.services.messages.empty());
    }
    const MapProject& p = f.project();
    EXPECT_EQ(p.unoptimizedMode, revision >= 3);
    EXPECT_EQ(std::pair(p.lastTilesetId, p.currentTilesetId), std::pair(6, 2));
    EXPECT_FALSE(p.showMapGrid || p.autoPaintCollision);
    EXPECT_TRUE(p.showTileGrid);
    EXPECT_EQ(p.filePath, path);

    ASSERT_EQ(p.layerCount(), revision == 6 ? 4 : 3);
    const MapLayer& back = *p.layerAt(0);
    const MapLayer& main = *p.layerAt(1);
    const MapLayer& hit = *p.layerAt(2);
    EXPECT_EQ(back.kind, LayerKind::Secondary);
    EXPECT_EQ(main.kind, LayerKind::Primary);
    EXPECT_EQ(hit.kind, LayerKind::Collision);  // the collision flag wins over the primary flag
    EXPECT_EQ(back.nameText(), "Back");
    EXPECT_EQ(std::pair(int{back.width}, int{back.height}), std::pair(3, 2));
    EXPECT_EQ(std::pair(back.parallaxX, back.parallaxY), std::pair(0.5f, 0.25f));
    EXPECT_TRUE(main.visible);
    EXPECT_EQ(main.alpha, revision != 6);
    EXPECT_EQ(main.locked, revision == 6);
    EXPECT_FALSE(main.tileGrouping);
    EXPECT_EQ(p.activeLayer, &main);
    ASSERT_EQ(main.cells.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(main.cells[i], expectedCell(revision, i)) << i;
    if (revision == 6) {
      EXPECT_EQ(p.layerAt(3)->kind, LayerKind::Entity);
      EXPECT_EQ(p.layerAt(3)->entities.at(300), 300 % 251);
    }

    const Tileset* page = f.registry().find(2);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->pixels, testPagePixels());  // top row first whatever the revision
    EXPECT_EQ(std::tuple(page->palette[30], page->palette[31], page->palette[32]), std::tuple(10, 245, 5));  // R, G, B
    EXPECT_EQ(page->sourcePath, "old/page.bmp");
  }
}

}  // namespace
}  // namespace qarto::test
