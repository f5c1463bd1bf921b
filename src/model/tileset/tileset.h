#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/instance_serial.h"
#include "model/tileset/indexed_image.h"

namespace qarto {

class TextureUploader;

inline constexpr int kTileSide = 8;
inline constexpr int kTilePixels = 64;
// Cells keep the tileset id in a signed byte.
inline constexpr int kMaxCellTilesetId = 127;

// One loaded tile page. The image fields (imageWidth, imageHeight, pixels,
// palette) come from IndexedImage.
struct Tileset : IndexedImage {
  std::int32_t id = -1;  // -1 until registered
  bool textureReady = false;
  std::uint32_t textureName = 0;
  // The uploader that made the texture; it outlives the tileset and deletes
  // the texture when the registry lets the tileset go.
  TextureUploader* textureOwner = nullptr;
  bool isCollisionTileset = false;
  bool hasCollisionSet = false;
  std::vector<std::uint8_t> collisionSet;  // tileCount entries when hasCollisionSet
  std::int32_t tileCount = 0;
  float texStepS = 0.0f;
  float texStepT = 0.0f;
  float tilesPerRow = 0.0f;
  float tilesPerColumn = 0.0f;
  std::string sourcePath;
  std::string displayName;
  std::int32_t labelWidth = 0;
  std::int32_t labelHeight = 0;
  InstanceSerial serial;  // what a cache keys the page by, never its address
};

using TilePixels = std::array<std::uint8_t, kTilePixels>;

// tileCount, texSteps and tiles per row/column from the image size; false
// when the width or height is 0.
bool computeTilesetGeometry(Tileset& tileset);

// Offset in `pixels` of the top-left pixel of `tile`; the caller checks the
// tile number against tileCount.
std::size_t tilePixelOffset(const IndexedImage& image, int tile);

bool isBlankTile(const Tileset& tileset, int tile);

// The first tile from `start` on whose 64 indices are all 0; 0 when start is
// not below tileCount or no blank tile follows; start when the width is 0.
int firstBlankTile(const Tileset& tileset, int start);

// The tile's 64 indices row by row, mirrored as asked. False for a tile
// number outside 0..tileCount-1 or an empty image.
bool readTile(const Tileset& tileset, int tile, bool hflip, bool vflip, TilePixels& out);

// The high four bits of the tile's top-left pixel index; 0 for a bad tile.
std::uint8_t tilePaletteRow(const Tileset& tileset, int tile);

}  // namespace qarto
