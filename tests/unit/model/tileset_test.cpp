#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/images/bmp_codec.h"
#include "model/tileset/builtin_collision_tiles.h"
#include "model/tileset/texture_upload.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registration.h"
#include "model_fixture.h"

namespace qarto::test {
namespace {

TEST(TilesetRegistration, IdsNamesLabelsAndCurrentTileset) {
  ProjectFixture f;
  RecordingHost host;
  auto collisionPage = blankPage(64, 32, "collisionTiles.bmp");
  collisionPage->isCollisionTileset = true;
  Tileset* collision = registerTileset(f.project, host, std::move(collisionPage), makeDisplay(64, 32));
  EXPECT_EQ(collision->id, 1);
  EXPECT_EQ(f.project.currentTilesetId, 1);
  EXPECT_FALSE(f.project.tilesetsLoaded);  // the collision page does not count

  for (int i = 0; i < 3; ++i) registerTileset(f.project, host, blankPage(16, 16), makeDisplay(16, 16));
  f.registry.remove(3);
  Tileset* next = registerTileset(f.project, host, blankPage(16, 16, "C:\\maps\\Cave.v2.pcx"), makeDisplay(16, 16));
  EXPECT_EQ(next->id, 5);  // ids are never handed out twice
  EXPECT_EQ(next->displayName, "Cave.v2");
  EXPECT_EQ(std::pair(next->labelWidth, next->labelHeight), std::pair(7 * 8, 13));
  EXPECT_TRUE(next->textureReady);
  EXPECT_EQ(f.project.currentTilesetId, 1);
  EXPECT_EQ(host.brushes, (std::set<std::int32_t>{1, 2, 3, 4, 5}));  // one brush each

  EXPECT_TRUE(f.services.messages.empty());
}

TEST(TilesetRegistration, AFailedTextureUploadDropsTheTileset) {
  ProjectFixture f;
  HeadlessTilesetHost host;
  host.headlessUploader() = HeadlessTextureUploader(64);
  MapLayer* primary = f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
  EXPECT_EQ(registerTileset(f.project, host, blankPage(128, 8), makeDisplay(128, 8)), nullptr);
  EXPECT_EQ(f.services.messages,
            std::vector{shown("Texture upload failed.  This can happen if your texture dimensions are not powers of 2 "
                              "or if your video card does not have enough memory to accomodate the texture you are "
                              "trying to load.\n\nMake sure your textures are valid sizes and/or close down other "
                              "applications which might be using video memory.",
                              MessageIcon::Warning, " - Tile Load Error")});
  EXPECT_TRUE(f.registry.empty());
  EXPECT_EQ(std::pair(f.project.lastTilesetId, f.project.currentTilesetId), std::pair(0, 0));
  EXPECT_FALSE(f.project.tilesetsLoaded);
  EXPECT_EQ(primary->cells, std::vector<MapCell>(1024, MapCell{}));
}

// Hands out names and remembers which were given back.
class ReleasingUploader : public TextureUploader {
 public:
  bool isSupported(int, int) override { return true; }
  bool upload(const std::uint8_t*, int, int, std::uint32_t& textureName) override {
    textureName = next++;
    return true;
  }
  void release(std::uint32_t textureName) override { released.push_back(textureName); }
  std::uint32_t next = 1;
  std::vector<std::uint32_t> released;
};

std::unique_ptr<Tileset> uploadedPage(ReleasingUploader& uploader, std::int32_t id) {
  auto page = std::make_unique<Tileset>();
  page->id = id;
  EXPECT_TRUE(uploadTexture(*page, makeDisplay(8, 8), uploader));
  return page;
}

TEST(TilesetRegistry, TexturesAreReleasedWhenTilesetsLeave) {
  ReleasingUploader uploader;
  {
    TilesetRegistry registry;
    registry.insert(uploadedPage(uploader, 1));  // texture 1
    registry.insert(uploadedPage(uploader, 2));  // texture 2
    registry.insert(uploadedPage(uploader, 3));  // texture 3

    std::unique_ptr<Tileset> removed = registry.remove(2);
    EXPECT_EQ(uploader.released, (std::vector<std::uint32_t>{2}));
    EXPECT_FALSE(removed->textureReady);  // handed back without a texture

    registry.insert(uploadedPage(uploader, 1));  // texture 4 replaces texture 1
    EXPECT_EQ(uploader.released, (std::vector<std::uint32_t>{2, 1}));

    registry.clear();  // in id order: 1 (texture 4), then 3
    EXPECT_EQ(uploader.released, (std::vector<std::uint32_t>{2, 1, 4, 3}));
    registry.insert(uploadedPage(uploader, 9));  // texture 5
  }
  // A registry that is destroyed leaves its textures to their context: its
  // uploader may be gone already.
  EXPECT_EQ(uploader.released, (std::vector<std::uint32_t>{2, 1, 4, 3}));

  // A failed upload has no owner to release to.
  Tileset page;
  HeadlessTextureUploader refusing(4);
  EXPECT_FALSE(uploadTexture(page, makeDisplay(16, 16), refusing));
  EXPECT_EQ(page.textureOwner, nullptr);
}

// The solid pixel rows of a tile as text, top row first.
std::vector<std::string> tileRows(const IndexedImage& image, int tile) {
  std::vector<std::string> rows;
  for (int y = 0; y < 8; ++y) {
    std::string row;
    for (int x = 0; x < 8; ++x) {
      row += image.pixels[static_cast<std::size_t>(((tile / 8) * 8 + y) * 64 + (tile % 8) * 8 + x)] == 1 ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(BuiltinCollisionTiles, IsAFourBitPageOfShapedTiles) {
  const std::vector<std::uint8_t> bmp = builtinCollisionTilesBmp();
  ASSERT_EQ(bmp.size(), 14u + 40u + 64u + 32u * 32u);  // 4 bits per pixel
  IndexedImage image;
  std::string message;
  ASSERT_TRUE(decodeBmpImage(bmp.data(), bmp.size(), "builtin", image, message)) << message;
  ASSERT_EQ(std::pair(image.imageWidth, image.imageHeight), std::pair(64, 32));
  std::array<std::uint8_t, kPaletteBytes> palette{};
  palette[3] = 248;  // entry 1: red, green, blue
  palette[4] = 252;
  palette[5] = 248;
  EXPECT_EQ(image.palette, palette);

  using Rows = std::vector<std::string>;
  EXPECT_EQ(tileRows(image, 0), Rows(8, "........"));
  EXPECT_EQ(tileRows(image, 1), Rows(8, "########"));
  EXPECT_EQ(tileRows(image, 2),
            (Rows{".......#", "......##", ".....###", "....####", "...#####", "..######", ".#######", "########"}));
  // Tiles 25 to 31 are free slots.
  EXPECT_EQ(tileRows(image, 25),
            (Rows{"..####..", ".#....#.", "#....#.#", "#...#..#", "#..#...#", "#.#....#", ".#....#.", "..####.."}));
  EXPECT_EQ(tileRows(image, 31), tileRows(image, 25));
}

}  // namespace
}  // namespace qarto::test
