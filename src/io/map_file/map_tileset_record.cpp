#include "io/map_file/map_tileset_record.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "io/map_file/map_file_format.h"
#include "model/allocation.h"
#include "model/byte_order.h"

namespace qarto {

namespace {

using namespace tileset_record;

bool readString(ByteCursor& cursor, std::string& text) {
  std::int32_t length = 0;
  if (!cursor.readI32(length)) return false;
  if (length < kMinStringLength || length > kMaxStringLength) return false;
  const std::uint8_t* bytes = nullptr;
  if (!cursor.take(static_cast<std::size_t>(length), bytes)) return false;
  const auto* chars = reinterpret_cast<const char*>(bytes);
  text.assign(chars, strnlen(chars, static_cast<std::size_t>(length)));
  return true;
}

// Format 1: the page as an 8-bit BMP, read at its fixed offsets.
TilesetRecordStatus readEmbeddedBmp(ByteCursor& cursor, std::uint64_t pixelCount, Tileset& tileset) {
  std::int32_t size = 0;
  if (!cursor.readI32(size) || size < 0) return TilesetRecordStatus::Damaged;
  const std::uint8_t* bmp = nullptr;
  if (!cursor.take(static_cast<std::size_t>(size), bmp)) return TilesetRecordStatus::Damaged;
  if (static_cast<std::uint64_t>(size) < embedded_bmp::kPixelRows + pixelCount) return TilesetRecordStatus::Damaged;
  if (!allocateZeroed(tileset.pixels, static_cast<std::size_t>(pixelCount))) {
    return TilesetRecordStatus::AllocationFailed;
  }
  const auto width = static_cast<std::size_t>(tileset.imageWidth);
  const auto height = static_cast<std::size_t>(tileset.imageHeight);
  const std::uint8_t* rows = bmp + embedded_bmp::kPixelRows;
  for (std::size_t y = 0; y < height; ++y) {
    std::memcpy(tileset.pixels.data() + y * width, rows + (height - 1 - y) * width, width);
  }
  const std::uint8_t* table = bmp + embedded_bmp::kColourTable;
  for (std::size_t i = 0; i < 256; ++i) {
    tileset.palette[i * 3 + 0] = table[i * 4 + 2];
    tileset.palette[i * 3 + 1] = table[i * 4 + 1];
    tileset.palette[i * 3 + 2] = table[i * 4 + 0];
  }
  return TilesetRecordStatus::Ok;
}

TilesetRecordStatus readRawImage(ByteCursor& cursor, std::uint64_t pixelCount, Tileset& tileset) {
  if (!cursor.has(pixelCount + kPaletteSize)) return TilesetRecordStatus::Damaged;
  if (!allocateZeroed(tileset.pixels, static_cast<std::size_t>(pixelCount))) {
    return TilesetRecordStatus::AllocationFailed;
  }
  const std::uint8_t* bytes = nullptr;
  cursor.take(static_cast<std::size_t>(pixelCount), bytes);
  std::memcpy(tileset.pixels.data(), bytes, tileset.pixels.size());
  cursor.take(kPaletteSize, bytes);
  std::memcpy(tileset.palette.data(), bytes, kPaletteSize);
  return TilesetRecordStatus::Ok;
}

bool validPageSide(std::int32_t side) { return side > 0 && side % kTileSide == 0; }

void appendBytes(std::vector<std::uint8_t>& out, const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), p, p + size);
}
void appendI32(std::vector<std::uint8_t>& out, std::int32_t value) {
  std::uint8_t b[4];
  storeI32(b, value);
  appendBytes(out, b, 4);
}
void appendF32(std::vector<std::uint8_t>& out, float value) {
  std::uint8_t b[4];
  storeF32(b, value);
  appendBytes(out, b, 4);
}
void appendString(std::vector<std::uint8_t>& out, const std::string& text) {
  const std::size_t length = std::min(strnlen(text.c_str(), text.size()), std::size_t{kMaxStringLength - 1});
  appendI32(out, static_cast<std::int32_t>(length + 1));
  appendBytes(out, text.data(), length);
  out.push_back(0);
}
// Exactly `size` bytes of `data`, zero-padded when the buffer is shorter.
void appendSized(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& data, std::size_t size) {
  const std::size_t present = std::min(size, data.size());
  appendBytes(out, data.data(), present);
  out.resize(out.size() + (size - present), 0);
}

}  // namespace

TilesetRecordStatus decodeTilesetRecord(ByteCursor& cursor, int format, Tileset& tileset) {
  constexpr auto damaged = TilesetRecordStatus::Damaged;
  if (!cursor.readBool(tileset.isCollisionTileset) || !cursor.readBool(tileset.hasCollisionSet) ||
      !cursor.readI32(tileset.id) || !cursor.readF32(tileset.texStepS) || !cursor.readF32(tileset.texStepT) ||
      !cursor.readF32(tileset.tilesPerRow) || !cursor.readF32(tileset.tilesPerColumn)) {
    return damaged;
  }
  if (!readString(cursor, tileset.sourcePath) || !readString(cursor, tileset.displayName)) return damaged;
  if (!cursor.readI32(tileset.labelWidth) || !cursor.readI32(tileset.labelHeight) ||
      !cursor.readI32(tileset.imageWidth) || !cursor.readI32(tileset.imageHeight)) {
    return damaged;
  }
  // A page side that is not a positive multiple of 8 would put tiles outside the pixels.
  if (!validPageSide(tileset.imageWidth) || !validPageSide(tileset.imageHeight)) return damaged;
  const std::uint64_t pixelCount = static_cast<std::uint64_t>(tileset.imageWidth) *
                                   static_cast<std::uint64_t>(tileset.imageHeight);
  const std::uint64_t tileCount = pixelCount / kTilePixels;

  if (tileset.hasCollisionSet) {
    if (!cursor.has(tileCount)) return damaged;
    if (!allocateZeroed(tileset.collisionSet, static_cast<std::size_t>(tileCount))) {
      return TilesetRecordStatus::AllocationFailed;
    }
    const std::uint8_t* bytes = nullptr;
    cursor.take(tileset.collisionSet.size(), bytes);
    std::memcpy(tileset.collisionSet.data(), bytes, tileset.collisionSet.size());
  }

  const TilesetRecordStatus image =
      format == 1 ? readEmbeddedBmp(cursor, pixelCount, tileset) : readRawImage(cursor, pixelCount, tileset);
  if (image != TilesetRecordStatus::Ok) return image;
  computeTilesetGeometry(tileset);
  return TilesetRecordStatus::Ok;
}

void appendTilesetRecord(const Tileset& tileset, std::vector<std::uint8_t>& out) {
  out.push_back(tileset.isCollisionTileset ? 1 : 0);
  out.push_back(tileset.hasCollisionSet ? 1 : 0);
  appendI32(out, tileset.id);
  appendF32(out, tileset.texStepS);
  appendF32(out, tileset.texStepT);
  appendF32(out, tileset.tilesPerRow);
  appendF32(out, tileset.tilesPerColumn);
  appendString(out, tileset.sourcePath);
  appendString(out, tileset.displayName);
  appendI32(out, tileset.labelWidth);
  appendI32(out, tileset.labelHeight);
  appendI32(out, tileset.imageWidth);
  appendI32(out, tileset.imageHeight);
  const std::size_t pixelCount = static_cast<std::size_t>(std::max(tileset.imageWidth, 0)) *
                                 static_cast<std::size_t>(std::max(tileset.imageHeight, 0));
  if (tileset.hasCollisionSet) appendSized(out, tileset.collisionSet, pixelCount / kTilePixels);
  appendSized(out, tileset.pixels, pixelCount);
  appendBytes(out, tileset.palette.data(), kPaletteSize);
}

}  // namespace qarto
