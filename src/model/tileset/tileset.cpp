#include "model/tileset/tileset.h"

namespace qarto {

bool computeTilesetGeometry(Tileset& tileset) {
  if (tileset.imageWidth <= 0 || tileset.imageHeight <= 0) return false;
  tileset.tileCount = static_cast<std::int32_t>(static_cast<std::int64_t>(tileset.imageWidth) *
                                                tileset.imageHeight / kTilePixels);
  tileset.texStepS = 8.0f / static_cast<float>(tileset.imageWidth);
  tileset.texStepT = 8.0f / static_cast<float>(tileset.imageHeight);
  tileset.tilesPerRow = static_cast<float>(tileset.imageWidth / kTileSide);
  tileset.tilesPerColumn = static_cast<float>(tileset.imageHeight / kTileSide);
  return true;
}

std::size_t tilePixelOffset(const IndexedImage& image, int tile) {
  const int perRow = image.imageWidth / kTileSide;
  const std::size_t column = static_cast<std::size_t>(tile % perRow);
  const std::size_t row = static_cast<std::size_t>(tile / perRow);
  return (column + row * static_cast<std::size_t>(image.imageWidth)) * kTileSide;
}

namespace {
bool tileInImage(const Tileset& tileset, int tile) {
  if (tileset.imageWidth < kTileSide || tileset.imageHeight < kTileSide || tile < 0) return false;
  const std::int64_t tiles = static_cast<std::int64_t>(tileset.imageWidth / kTileSide) * (tileset.imageHeight / kTileSide);
  if (tile >= tiles || tile >= tileset.tileCount) return false;
  return tileset.pixels.size() >= static_cast<std::size_t>(tileset.imageWidth) * tileset.imageHeight;
}
}  // namespace

bool isBlankTile(const Tileset& tileset, int tile) {
  if (!tileInImage(tileset, tile)) return false;
  const std::uint8_t* p = tileset.pixels.data() + tilePixelOffset(tileset, tile);
  for (int y = 0; y < kTileSide; ++y, p += tileset.imageWidth) {
    for (int x = 0; x < kTileSide; ++x) {
      if (p[x] != 0) return false;
    }
  }
  return true;
}

int firstBlankTile(const Tileset& tileset, int start) {
  if (tileset.imageWidth == 0) return start;
  if (start < 0 || start >= tileset.tileCount) return 0;
  for (int tile = start; tile < tileset.tileCount; ++tile) {
    if (isBlankTile(tileset, tile)) return tile;
  }
  return 0;
}

bool readTile(const Tileset& tileset, int tile, bool hflip, bool vflip, TilePixels& out) {
  if (!tileInImage(tileset, tile)) return false;
  const std::uint8_t* base = tileset.pixels.data() + tilePixelOffset(tileset, tile);
  for (int y = 0; y < kTileSide; ++y) {
    const std::uint8_t* row = base + static_cast<std::size_t>(vflip ? 7 - y : y) * tileset.imageWidth;
    for (int x = 0; x < kTileSide; ++x) {
      out[static_cast<std::size_t>(y * kTileSide + x)] = row[hflip ? 7 - x : x];
    }
  }
  return true;
}

std::uint8_t tilePaletteRow(const Tileset& tileset, int tile) {
  if (!tileInImage(tileset, tile)) return 0;
  return static_cast<std::uint8_t>(tileset.pixels[tilePixelOffset(tileset, tile)] >> 4);
}

}  // namespace qarto
