#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "io/images/display_image.h"
#include "model/byte_order.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registration.h"
#include "support/byte_builder.h"
#include "support/page_files.h"
#include "support/temp_folder.h"
#include "support/test_session.h"

namespace qarto::test {

// Removes the old file first: rewriting a truncated file makes ext4 flush it.
inline void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  writeBytes(path, bytes);
}

using Bytes = ByteBuilder;

// The file header of a revision up to the layer count.
inline Bytes oldFileHeader(int revision, std::int32_t lastId, std::int32_t currentId, const std::string& path,
                           std::int32_t layerCount, bool unoptimized = false) {
  Bytes b;
  if (revision >= 2) b.text("Qarto_v" + std::to_string(revision) + "\n");
  if (revision >= 3) b.u8(unoptimized ? 1 : 0);
  b.i32(lastId).i32(currentId).u8(0).u8(1).u8(0);  // map grid off, tile grid on, auto-paint off
  b.field(path, revision >= 4 ? 256 : 128);
  b.i32(layerCount);
  return b;
}

// 68-byte layer header of revisions 1 to 5.
inline void oldLayerHeader(Bytes& b, const std::string& name, int collisionFlag, int primaryFlag, int width, int height,
                           float px, float py) {
  b.zeros(8).field(name, 32).u8(1).u8(1).u8(0).u8(collisionFlag).u8(primaryFlag).zeros(3).zeros(4);
  b.u16(width).u16(height).f32(px).f32(py).zeros(4);
}

// 64-byte layer header of revision 6.
inline void rev6LayerHeader(Bytes& b, int kind, const std::string& name, int width, int height, float px, float py) {
  b.i32(0x11111111).i32(0x22222222).i32(kind).field(name, 32).u8(1).u8(0).u8(1).u8(0);
  b.u16(width).u16(height).f32(px).f32(py).i32(0x33333333);
}

// The 8x8 test page: pixel (x, y) = x + 8 * y; palette entry i = (i, 255 - i, i / 2).
inline std::vector<std::uint8_t> testPagePixels() {
  std::vector<std::uint8_t> pixels(64);
  for (int i = 0; i < 64; ++i) pixels[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  return pixels;
}

// Fields 1 to 16 of a tileset record for the 8x8 test page.
inline void tilesetRecordStart(Bytes& b, int id, const std::string& source, bool collision, bool withSet) {
  b.u8(collision ? 1 : 0).u8(withSet ? 1 : 0).i32(id).f32(0.5f).f32(0.5f).f32(1).f32(1);
  b.i32(static_cast<std::int32_t>(source.size() + 1)).text(source).u8(0);
  b.i32(5).text("name").u8(0);
  b.i32(32).i32(13).i32(8).i32(8);
  if (withSet) b.u8(7);
}

inline void tilesetRecordFormat2(Bytes& b, int id, const std::string& source, bool collision, bool withSet) {
  tilesetRecordStart(b, id, source, collision, withSet);
  b.append(testPagePixels());
  for (int i = 0; i < 256; ++i) b.u8(i).u8(255 - i).u8(i / 2);
}

// Format 1: an embedded 8-bit BMP, colour table BGRA at 54, rows bottom-up at 1078.
inline void tilesetRecordFormat1(Bytes& b, int id, const std::string& source) {
  tilesetRecordStart(b, id, source, false, false);
  Bytes bmp;
  bmp.text("BM").i32(1078 + 64).i32(0).i32(1078);
  bmp.i32(40).i32(8).i32(8).u16(1).u16(8).i32(0).i32(64).i32(0).i32(0).i32(256).i32(0);
  for (int i = 0; i < 256; ++i) bmp.u8(i / 2).u8(255 - i).u8(i).u8(0);
  const std::vector<std::uint8_t> pixels = testPagePixels();
  for (int y = 7; y >= 0; --y) bmp.raw(pixels.data() + y * 8, 8);
  b.i32(static_cast<std::int32_t>(bmp.size())).append(bmp.data);
}

// Cell i of an old fixture layer, as it must load.
inline MapCell expectedCell(int revision, std::size_t i) {
  return {static_cast<std::int16_t>(100 + i), 2,
          static_cast<std::uint8_t>(i % 16),  static_cast<std::uint16_t>(revision == 1 ? 0 : 0x1000 + i),
          static_cast<std::uint8_t>(i % 8),   0};
}

inline void storedCells(Bytes& b, int revision, int count) {
  for (int n = 0; n < count; ++n) {
    const auto i = static_cast<std::size_t>(n);
    const MapCell c = expectedCell(revision, i);
    b.u16(c.tile).u8(c.tileset).u8(c.palette);
    if (revision == 1) {
      b.u8(c.flags | 0xF8).u8(0xEE);  // only flag bits 0 to 2 count; the last byte is ignored
    } else {
      b.u16(c.collision).u8(c.flags).u8(0);
    }
  }
}

// Three layers in file order: a Secondary (3x2, parallax 0.5/0.25), a
// Primary (4x3), and a layer with both old flags set (4x3); revision 6 uses
// kinds instead of flags and adds an entity layer. One 8x8 page, id 2.
inline std::vector<std::uint8_t> oldMap(int revision) {
  const int layerCount = revision == 6 ? 4 : 3;
  Bytes b = oldFileHeader(revision, 6, 2, "C:\\maps\\old.qrm", layerCount, true);
  if (revision == 6) {
    rev6LayerHeader(b, 2, "Back", 3, 2, 0.5f, 0.25f);
    storedCells(b, revision, 6);
    rev6LayerHeader(b, 0, "Main", 4, 3, 1, 1);
    storedCells(b, revision, 12);
    rev6LayerHeader(b, 1, "Hit", 4, 3, 1, 1);
    storedCells(b, revision, 12);
    rev6LayerHeader(b, 3, "Things", 4, 3, 1, 1);
    for (int i = 0; i < 1536; ++i) b.u8(i % 251);
  } else {
    oldLayerHeader(b, "Back", 0, 0, 3, 2, 0.5f, 0.25f);
    storedCells(b, revision, 6);
    oldLayerHeader(b, "Main", 0, 1, 4, 3, 1, 1);
    storedCells(b, revision, 12);
    oldLayerHeader(b, "Hit", 1, 1, 4, 3, 1, 1);
    storedCells(b, revision, 12);
  }
  b.i32(1);
  if (revision >= 5) {
    tilesetRecordFormat2(b, 2, "old/page.bmp", false, false);
  } else {
    tilesetRecordFormat1(b, 2, "old/page.bmp");
  }
  return b.data;
}

// Registers a page of the given size whose pixels and palette follow `seed`,
// with a collision set unless it is the collision tileset.
inline Tileset* addTileset(TestSession& s, int id, int width, int height, int seed, bool collision = false) {
  auto tileset = makeTileset(
      id, width, height,
      [=](int x, int y) {
        return (static_cast<std::size_t>(y * width + x) * 7 + static_cast<std::size_t>(seed)) % 251;
      },
      [seed](std::size_t i) { return i * 3 + static_cast<std::size_t>(seed); });
  tileset->isCollisionTileset = collision;
  tileset->sourcePath = "pages/page" + std::to_string(seed) + ".bmp";
  for (int i = 0; i < tileset->tileCount && !collision; ++i)
    tileset->collisionSet.push_back(static_cast<std::uint8_t>(i % 32));
  tileset->hasCollisionSet = !collision;
  DisplayImage display = makeDisplayImage(*tileset);
  s.project().tilesetsLoaded = true;  // keep registration from filling the layers
  Tileset* registered = registerTileset(s.project(), s.host, std::move(tileset), std::move(display));
  if (registered != nullptr && collision) s.project().collisionTileset = registered;
  return registered;
}

}  // namespace qarto::test
