#pragma once

// Byte-level builders for the image files the tests read.

#include <cstdint>
#include <vector>

#include "support/byte_builder.h"
#include "support/temp_folder.h"

namespace qarto::test {

using Bytes = std::vector<std::uint8_t>;

// The fields of a BMP file as the tests lay it out.
struct BmpLayout {
  std::int32_t width = 16;
  std::int32_t height = 8;
  std::uint16_t bitsPerPixel = 8;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  Bytes colourTable;  // blue, green, red, reserved per entry
  Bytes pixelBytes;   // exactly as stored, rows bottom first
};

// A colour table whose entry i is blue i, green i + 1, red i + 2.
inline Bytes rampColourTable(int entries) {
  ByteBuilder table;
  for (int i = 0; i < entries; ++i) table.u8(i).u8(i + 1).u8(i + 2).u8(0);
  return table.data;
}

inline Bytes bmpBytes(const BmpLayout& l) {
  const auto offset = static_cast<std::int64_t>(54 + l.colourTable.size());
  ByteBuilder b;
  b.text("BM").i32(offset + static_cast<std::int64_t>(l.pixelBytes.size())).i32(0).i32(offset).i32(40);
  b.i32(l.width).i32(l.height).u16(1).u16(l.bitsPerPixel).i32(l.compression).zeros(12).i32(l.coloursUsed).i32(0);
  return b.append(l.colourTable).append(l.pixelBytes).data;
}

// An 8-bit BMP whose stored byte k is k % 251.
inline Bytes simpleBmp8(std::int32_t width, std::int32_t height) {
  BmpLayout layout{width, height, 8, 0, 0, rampColourTable(256), {}};
  for (std::int64_t k = 0; k < std::int64_t{width} * height; ++k)
    layout.pixelBytes.push_back(static_cast<std::uint8_t>(k % 251));
  return bmpBytes(layout);
}

// A PCX: 128-byte header with the given corners, the encoded bytes, the
// marker 12 and a palette whose byte i is (i * 3) % 256.
inline Bytes pcxBytes(int xmin, int ymin, int xmax, int ymax, const Bytes& encoded) {
  ByteBuilder b;
  b.u8(10).u8(5).u8(1).u8(8).u16(xmin).u16(ymin).u16(xmax).u16(ymax).zeros(116).append(encoded).u8(12);
  for (int i = 0; i < 768; ++i) b.u8(i * 3);
  return b.data;
}

// Run-length bytes for `count` pixels of index `value` (runs of at most 63).
inline void appendRun(Bytes& encoded, int count, std::uint8_t value) {
  for (; count > 0; count -= 63)
    encoded.insert(encoded.end(), {static_cast<std::uint8_t>(192 + std::min(count, 63)), value});
}

}  // namespace qarto::test
