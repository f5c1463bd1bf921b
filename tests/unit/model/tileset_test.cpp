#include <gtest/gtest.h>

#include "model/texture_upload.h"
#include "model/tileset_host.h"
#include "model/tileset_registration.h"
#include "model_fixture.h"

namespace qarto::test {
namespace {

TEST(Tileset, GeometryAndBlankTiles) {
  auto page = makeTileset(136, 64, {0, 1, 5});
  EXPECT_EQ(page->tileCount, 136);
  EXPECT_FLOAT_EQ(page->tilesPerRow, 17.0f);
  EXPECT_FLOAT_EQ(page->tilesPerColumn, 8.0f);
  EXPECT_FLOAT_EQ(page->texStepS, 8.0f / 136.0f);
  EXPECT_FLOAT_EQ(page->texStepT, 8.0f / 64.0f);

  Tileset empty;
  EXPECT_FALSE(computeTilesetGeometry(empty));
  empty.imageWidth = 8;
  EXPECT_FALSE(computeTilesetGeometry(empty));

  // One stray pixel in the last corner of tile 2 makes it not blank.
  page->pixels[tilePixelOffset(*page, 2) + 7 * 136 + 7] = 1;
  const std::pair<int, int> starts[] = {{0, 3}, {3, 3}, {5, 6}, {135, 135}, {136, 0}, {-1, 0}, {999, 0}};
  for (const auto& [start, expected] : starts) EXPECT_EQ(firstBlankTile(*page, start), expected) << start;

  auto full = makeTileset(16, 8, {0, 1});
  EXPECT_EQ(firstBlankTile(*full, 0), 0);  // no blank tile at all
  Tileset widthless;
  EXPECT_EQ(firstBlankTile(widthless, 7), 7);
}

TEST(Tileset, ReadTileMirrorsAndRefusesBadTiles) {
  auto page = makeTileset(24, 16);
  const int tile = 4;  // row 1, column 1
  const std::size_t offset = tilePixelOffset(*page, tile);
  EXPECT_EQ(offset, static_cast<std::size_t>((1 + 1 * 24) * 8));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) page->pixels[offset + static_cast<std::size_t>(y) * 24 + x] = static_cast<std::uint8_t>(0x30 + y * 8 + x);
  }
  struct Case {
    bool hflip;
    bool vflip;
  };
  for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
    TilePixels out{};
    ASSERT_TRUE(readTile(*page, tile, c.hflip, c.vflip, out));
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const int sx = c.hflip ? 7 - x : x;
        const int sy = c.vflip ? 7 - y : y;
        EXPECT_EQ(out[static_cast<std::size_t>(y * 8 + x)], 0x30 + sy * 8 + sx);
      }
    }
  }
  EXPECT_EQ(tilePaletteRow(*page, tile), 3);
  TilePixels out{};
  EXPECT_FALSE(readTile(*page, 6, false, false, out));
  EXPECT_FALSE(readTile(*page, -1, false, false, out));
  Tileset empty;
  EXPECT_FALSE(readTile(empty, 0, false, false, out));
}

TEST(TilesetRegistry, OrderedByIdWithLookups) {
  TilesetRegistry registry;
  for (int id : {5, 2, 9}) {
    auto page = makeTileset(8, 8);
    page->id = id;
    page->isCollisionTileset = id == 9;
    registry.insert(std::move(page));
  }
  std::vector<int> order;
  for (const auto& [id, tileset] : registry) order.push_back(id);
  EXPECT_EQ(order, (std::vector<int>{2, 5, 9}));
  EXPECT_EQ(registry.find(4), nullptr);
  EXPECT_EQ(registry.size(), 3u);  // a failed lookup adds nothing
  EXPECT_EQ(registry.firstNonCollision()->id, 2);
  EXPECT_EQ(registry.firstCollision()->id, 9);
  EXPECT_EQ(registry.countNonCollision(), 2);

  std::unique_ptr<Tileset> taken = registry.remove(2);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->id, 2);
  EXPECT_EQ(registry.remove(2), nullptr);
  EXPECT_EQ(registry.firstNonCollision()->id, 5);
}

// Sees the pixels the renderer would get.
class CapturingUploader : public TextureUploader {
 public:
  bool isSupported(int width, int height) override { return width <= maxSide && height <= maxSide; }
  bool upload(const std::uint8_t* rgba, int width, int height, std::uint32_t& textureName) override {
    pixels.assign(rgba, rgba + static_cast<std::size_t>(width) * height * 4);
    textureName = 77;
    return true;
  }
  int maxSide = 4096;
  std::vector<std::uint8_t> pixels;
};

TEST(TextureUpload, PadsToPowersOfTwo) {
  const std::pair<int, int> extents[] = {{8, 8},       {24, 32},   {136, 256}, {4088, 4096}, {4096, 4096},
                                         {4104, 0},    {8192, 8192}, {7, 0},   {0, 0},       {-8, 0}};
  for (const auto& [extent, padded] : extents) EXPECT_EQ(paddedTextureExtent(extent), padded) << extent;

  Tileset page;
  CapturingUploader uploader;
  DisplayImage display = makeDisplay(136, 64);
  ASSERT_TRUE(uploadTexture(page, display, uploader));
  EXPECT_TRUE(page.textureReady);
  EXPECT_EQ(page.textureName, 77u);
  EXPECT_FLOAT_EQ(page.texStepS, 8.0f / 256.0f);
  EXPECT_FLOAT_EQ(page.texStepT, 8.0f / 64.0f);
  ASSERT_EQ(uploader.pixels.size(), 256u * 64u * 4u);
  // The page sits in the top-left corner; the rest is transparent black.
  EXPECT_EQ(uploader.pixels[(63 * 256 + 135) * 4], 0xAB);
  EXPECT_EQ(uploader.pixels[(63 * 256 + 136) * 4], 0);
  EXPECT_EQ(uploader.pixels[(0 * 256 + 255) * 4 + 3], 0);

  // Refused: no power of two in reach, a size the GL cannot take, a short pixel buffer.
  Tileset refused;
  EXPECT_FALSE(uploadTexture(refused, makeDisplay(4104, 8), uploader));
  uploader.maxSide = 128;
  EXPECT_FALSE(uploadTexture(refused, makeDisplay(136, 8), uploader));
  EXPECT_FALSE(refused.textureReady);
  DisplayImage shortImage = makeDisplay(16, 16);
  shortImage.rgba.resize(10);
  EXPECT_FALSE(uploadTexture(refused, shortImage, uploader));
}

class CountingHost : public HeadlessTilesetHost {
 public:
  void tilesetRegistered(Tileset& tileset) override { registered.push_back(tileset.id); }
  std::vector<int> registered;
};

std::unique_ptr<Tileset> collisionPage() {
  auto page = makeTileset(64, 32, {}, "collisionTiles.bmp");
  page->isCollisionTileset = true;
  return page;
}

TEST(TilesetRegistration, IdsNamesLabelsAndCurrentTileset) {
  ProjectFixture f;
  CountingHost host;
  Tileset* collision = registerTileset(f.project, host, collisionPage(), makeDisplay(64, 32));
  ASSERT_NE(collision, nullptr);
  EXPECT_EQ(collision->id, 1);
  EXPECT_EQ(f.project.currentTilesetId, 1);
  EXPECT_FALSE(f.project.tilesetsLoaded);  // the collision page does not count

  std::vector<int> ids;
  for (int i = 0; i < 3; ++i) {
    ids.push_back(registerTileset(f.project, host, makeTileset(16, 16), makeDisplay(16, 16))->id);
  }
  EXPECT_EQ(ids, (std::vector<int>{2, 3, 4}));
  f.registry.remove(3);
  Tileset* next = registerTileset(f.project, host, makeTileset(16, 16, {}, "C:\\maps\\Cave.v2.pcx"),
                                  makeDisplay(16, 16));
  EXPECT_EQ(next->id, 5);
  EXPECT_EQ(next->displayName, "Cave.v2");
  EXPECT_EQ(next->labelWidth, 7 * 8);
  EXPECT_EQ(next->labelHeight, 13);
  EXPECT_TRUE(next->textureReady);
  EXPECT_EQ(f.project.currentTilesetId, 1);
  EXPECT_EQ(host.registered, (std::vector<int>{1, 2, 3, 4, 5}));

  // A tileset from a map file keeps its id, and the counter never hands it out again.
  auto stored = makeTileset(16, 16, {}, "Forest");
  stored->id = 20;
  EXPECT_EQ(registerTileset(f.project, host, std::move(stored), makeDisplay(16, 16))->displayName, "Forest");
  EXPECT_EQ(registerTileset(f.project, host, makeTileset(16, 16), makeDisplay(16, 16))->id, 21);
  EXPECT_TRUE(f.services.messages.empty());
}

TEST(TilesetRegistration, FirstLoadFillsExistingLayersOnce) {
  ProjectFixture f;
  HeadlessTilesetHost host;
  MapLayer* primary = f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
  MapLayer* hits = f.project.addLayer("hits", 32, 32, 1.0f, 1.0f, LayerKind::Collision, false);
  MapLayer* things = f.project.addLayer("things", 32, 32, 1.0f, 1.0f, LayerKind::Entity, false);
  registerTileset(f.project, host, collisionPage(), makeDisplay(64, 32));
  for (const MapCell& cell : primary->cells) ASSERT_EQ(cell, MapCell{});

  registerTileset(f.project, host, makeTileset(32, 32, {0, 1, 2}), makeDisplay(32, 32));
  EXPECT_TRUE(f.project.tilesetsLoaded);
  ASSERT_EQ(primary->cells.size(), 1024u);
  for (const MapCell& cell : primary->cells) {
    ASSERT_EQ(cell.tile, 3);
    ASSERT_EQ(cell.tileset, 2);
  }
  for (const MapCell& cell : hits->cells) {
    ASSERT_EQ(cell.tileset, 1);
    ASSERT_EQ(cell.tile, 0);
  }
  EXPECT_EQ(things->entities, std::vector<std::uint8_t>(kEntityBlockSize, 0));

  const std::vector<MapCell> before = primary->cells;
  registerTileset(f.project, host, makeTileset(16, 16), makeDisplay(16, 16));
  EXPECT_EQ(primary->cells, before);

  // A page without a blank tile fills with tile 0.
  ProjectFixture g;
  MapLayer* layer = g.project.addLayer("ground", 30, 20, 1.0f, 1.0f, LayerKind::Primary, false);
  layer->cells[7].tile = 9;
  registerTileset(g.project, host, makeTileset(16, 8, {0, 1}), makeDisplay(16, 8));
  for (const MapCell& cell : layer->cells) ASSERT_EQ(cell.tile, 0);
}

TEST(TilesetRegistration, UploadFailureShowsTheMessageAndDropsTheTileset) {
  ProjectFixture f;
  HeadlessTilesetHost host;
  host.headlessUploader() = HeadlessTextureUploader(64);
  MapLayer* primary = f.project.addLayer("ground", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);

  EXPECT_EQ(registerTileset(f.project, host, makeTileset(128, 8), makeDisplay(128, 8)), nullptr);
  ASSERT_EQ(f.services.messages.size(), 1u);
  const auto& message = f.services.messages[0];
  EXPECT_EQ(message.text,
            "Texture upload failed.  This can happen if your texture dimensions are not powers of 2 or if your video "
            "card does not have enough memory to accomodate the texture you are trying to load.\n\nMake sure your "
            "textures are valid sizes and/or close down other applications which might be using video memory.");
  EXPECT_EQ(message.caption, "Qarto v0.99 - Tile Load Error");
  EXPECT_EQ(message.icon, MessageIcon::Warning);
  EXPECT_EQ(message.buttons, MessageButtons::Ok);
  EXPECT_TRUE(f.registry.empty());
  EXPECT_EQ(f.project.lastTilesetId, 0);
  EXPECT_EQ(f.project.currentTilesetId, 0);
  EXPECT_FALSE(f.project.tilesetsLoaded);
  for (const MapCell& cell : primary->cells) ASSERT_EQ(cell, MapCell{});
  EXPECT_EQ(host.headlessUploader().uploads(), 0);
}

}  // namespace
}  // namespace qarto::test

namespace qarto::test {
namespace {

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
  DisplayImage display;
  display.width = 8;
  display.height = 8;
  display.rgba.assign(8 * 8 * 4, 0);
  EXPECT_TRUE(uploadTexture(*page, display, uploader));
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
  DisplayImage big;
  big.width = 16;
  big.height = 16;
  big.rgba.assign(16 * 16 * 4, 0);
  EXPECT_FALSE(uploadTexture(page, big, refusing));
  EXPECT_EQ(page.textureOwner, nullptr);
}

}  // namespace
}  // namespace qarto::test
