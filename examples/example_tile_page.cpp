// The example tile page: 128 by 64 pixels, 16 tiles per row, drawn from
// three 16-colour palette rows (terrain, bricks, sky and water). Colour 0 of
// every row is the transparent magenta; tile 0 is blank.

#include <array>
#include <cstdint>

#include "example_content.h"

namespace qarto::examples {

namespace {

constexpr int kPageWidth = 128;
constexpr int kPageHeight = 64;

constexpr int kTerrainRow = 0;
constexpr int kBrickRow = 1;
constexpr int kSkyRow = 2;

struct Rgb {
  std::uint8_t r, g, b;
};

constexpr std::array<Rgb, 14> kTerrainColours{{{255, 0, 255},
                                               {40, 24, 16},
                                               {96, 56, 24},
                                               {136, 84, 40},
                                               {176, 120, 64},
                                               {24, 88, 32},
                                               {48, 144, 48},
                                               {112, 200, 72},
                                               {88, 88, 96},
                                               {136, 136, 144},
                                               {184, 184, 192},
                                               {120, 72, 32},
                                               {168, 112, 56},
                                               {208, 160, 96}}};
constexpr std::array<Rgb, 6> kBrickColours{
    {{255, 0, 255}, {64, 24, 24}, {120, 40, 32}, {168, 64, 48}, {208, 104, 80}, {152, 144, 136}}};
constexpr std::array<Rgb, 10> kSkyColours{{{255, 0, 255},
                                           {72, 120, 216},
                                           {104, 160, 240},
                                           {144, 192, 248},
                                           {248, 248, 248},
                                           {208, 224, 240},
                                           {24, 64, 160},
                                           {40, 104, 200},
                                           {96, 160, 232},
                                           {224, 240, 255}}};

template <std::size_t N>
void setRow(IndexedImage& image, int row, const std::array<Rgb, N>& colours) {
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t entry = static_cast<std::size_t>(row) * 16 + i;
    image.palette[entry * 3] = colours[i].r;
    image.palette[entry * 3 + 1] = colours[i].g;
    image.palette[entry * 3 + 2] = colours[i].b;
  }
}

struct Ink {
  int row = 0;
  int colour = 0;  // 0 is transparent
};

int dirt(int x, int y) {
  if ((x * 3 + y * 5) % 7 == 0) return 2;
  return (x + y * 2) % 5 == 0 ? 4 : 3;
}

// A ground column of the given height (pixels from the bottom), grass on top.
int slopeColumn(int x, int y, int height) {
  const int top = 8 - height;
  if (y < top) return 0;
  if (y == top) return 7;
  if (y == top + 1) return 6;
  return dirt(x, y);
}

int brick(int x, int y, int offset) {
  if (y == 3 || y == 7) return 5;
  const int joint = (y < 3 ? 0 : 4) + offset;
  if (x == joint % 8) return 5;
  if (y == 0 || y == 4) return 4;
  if (y == 2 || y == 6) return 2;
  return 3;
}

// Clouds on a sky background: `part` 0 left end, 1 middle, 2 right end.
int cloud(int x, int y, int part) {
  const int dx = part == 0 ? 7 - x : (part == 2 ? x : 0);
  const int edge = part == 1 ? 2 : 2 + dx * dx / 8;
  if (y < edge) return 2;
  return y == 7 ? 5 : 4;
}

Ink pixel(int tile, int x, int y) {
  switch (tile) {
    case kGrassTile: return {kTerrainRow, y == 0 ? 7 : (y == 1 ? 6 : (y == 2 && x % 3 == 0 ? 5 : dirt(x, y)))};
    case kDirtTile: return {kTerrainRow, dirt(x, y)};
    case kStonyDirtTile: {
      const int dx = 2 * x - 7;
      const int dy = 2 * y - 8;
      if (dx * dx + dy * dy < 24) return {kTerrainRow, dx + dy < -2 ? 10 : 9};
      return {kTerrainRow, dirt(x, y)};
    }
    case kSlopeUpTile: return {kTerrainRow, slopeColumn(x, y, x + 1)};
    case kSlopeDownTile: return {kTerrainRow, slopeColumn(x, y, 8 - x)};
    case kBrickTile: return {kBrickRow, brick(x, y, 0)};
    case kBrickOffsetTile: return {kBrickRow, brick(x, y, 2)};
    case kStoneTile:
      if (x == 7 || y == 7) return {kTerrainRow, 8};
      if (x == 0 || y == 0) return {kTerrainRow, 10};
      return {kTerrainRow, 9};
    case kSkyTile: return {kSkyRow, (x + y) % 4 == 0 ? 3 : 2};
    case kHighSkyTile: return {kSkyRow, (x + 2 * y) % 5 == 0 ? 2 : 1};
    case kCloudLeftTile: return {kSkyRow, cloud(x, y, 0)};
    case kCloudMiddleTile: return {kSkyRow, cloud(x, y, 1)};
    case kCloudRightTile: return {kSkyRow, cloud(x, y, 2)};
    case kWaterSurfaceTile:
      if (y == 0) return {kSkyRow, x % 4 < 2 ? 9 : 8};
      return {kSkyRow, y == 1 || (x + y) % 5 == 0 ? 8 : 7};
    case kWaterTile: return {kSkyRow, (x * 2 + y) % 6 == 0 ? 7 : 6};
    case kPlankTile:
      if (y > 2) return {kTerrainRow, 0};
      if (y == 1 && (x == 1 || x == 6)) return {kTerrainRow, 1};
      return {kTerrainRow, 13 - y};
    default: return {};
  }
}

}  // namespace

IndexedImage makeExampleTilePage() {
  IndexedImage image;
  image.imageWidth = kPageWidth;
  image.imageHeight = kPageHeight;
  image.pixels.assign(static_cast<std::size_t>(kPageWidth) * kPageHeight, 0);
  setRow(image, kTerrainRow, kTerrainColours);
  setRow(image, kBrickRow, kBrickColours);
  setRow(image, kSkyRow, kSkyColours);

  constexpr int tilesPerRow = kPageWidth / 8;
  for (int tile = 1; tile < kExampleTileCount; ++tile) {
    const int left = (tile % tilesPerRow) * 8;
    const int top = (tile / tilesPerRow) * 8;
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const Ink ink = pixel(tile, x, y);
        // A transparent pixel keeps its tile's row, so every tile stays a
        // valid 16-colour tile.
        image.pixels[static_cast<std::size_t>(top + y) * kPageWidth + left + x] =
            static_cast<std::uint8_t>(ink.row << 4 | ink.colour);
      }
    }
  }
  return image;
}

CollisionSetFile makeExampleCollisionSet() {
  CollisionSetFile set;
  set.width = kPageWidth / 8;
  set.height = kPageHeight / 8;
  set.tiles.assign(set.width * set.height, kCollisionEmpty);
  for (int tile : {kGrassTile, kDirtTile, kStonyDirtTile, kBrickTile, kBrickOffsetTile, kStoneTile, kPlankTile}) {
    set.tiles[static_cast<std::size_t>(tile)] = kCollisionSolid;
  }
  set.tiles[kSlopeUpTile] = kCollisionSlopeUp;
  set.tiles[kSlopeDownTile] = kCollisionSlopeDown;
  return set;
}

}  // namespace qarto::examples
