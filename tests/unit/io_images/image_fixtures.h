#pragma once

// Byte-level builders for the image files the tests read, and a scratch folder.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/byte_order.h"
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
  // Colour table as blue, green, red, reserved; 16 or 256 entries by depth.
  Bytes colourTable;
  // Pixel bytes exactly as stored (rows bottom first).
  Bytes pixelBytes;
};

// A colour table whose entry i is blue i, green i + 1, red i + 2.
inline Bytes rampColourTable(int entries) {
  Bytes table;
  for (int i = 0; i < entries; ++i) {
    table.push_back(static_cast<std::uint8_t>(i));
    table.push_back(static_cast<std::uint8_t>(i + 1));
    table.push_back(static_cast<std::uint8_t>(i + 2));
    table.push_back(0);
  }
  return table;
}

inline Bytes bmpBytes(const BmpLayout& layout) {
  Bytes bytes(54);
  bytes[0] = 'B';
  bytes[1] = 'M';
  bytes.insert(bytes.end(), layout.colourTable.begin(), layout.colourTable.end());
  const auto pixelOffset = static_cast<std::uint32_t>(bytes.size());
  bytes.insert(bytes.end(), layout.pixelBytes.begin(), layout.pixelBytes.end());
  storeU32(bytes.data() + 2, static_cast<std::uint32_t>(bytes.size()));
  storeU32(bytes.data() + 10, pixelOffset);
  storeU32(bytes.data() + 14, 40);
  storeI32(bytes.data() + 18, layout.width);
  storeI32(bytes.data() + 22, layout.height);
  storeU16(bytes.data() + 26, 1);
  storeU16(bytes.data() + 28, layout.bitsPerPixel);
  storeU32(bytes.data() + 30, layout.compression);
  storeU32(bytes.data() + 46, layout.coloursUsed);
  return bytes;
}

// An 8-bit BMP whose stored byte k is k % 251.
inline Bytes simpleBmp8(std::int32_t width, std::int32_t height) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.colourTable = rampColourTable(256);
  for (std::int64_t k = 0; k < std::int64_t{width} * height; ++k) layout.pixelBytes.push_back(static_cast<std::uint8_t>(k % 251));
  return bmpBytes(layout);
}

// A PCX: 128-byte header with the given corners, the encoded bytes, the
// marker 12 and a palette whose byte i is (i * 3) % 256.
inline Bytes pcxBytes(std::uint16_t xmin, std::uint16_t ymin, std::uint16_t xmax, std::uint16_t ymax,
                      const Bytes& encoded) {
  // Reserving first also keeps GCC 12's -Warray-bounds false positive on
  // insert() quiet in optimised builds.
  Bytes bytes;
  bytes.reserve(128 + encoded.size() + 769);
  bytes.resize(128);
  bytes[0] = 10;
  bytes[1] = 5;
  bytes[2] = 1;
  bytes[3] = 8;
  storeU16(bytes.data() + 4, xmin);
  storeU16(bytes.data() + 6, ymin);
  storeU16(bytes.data() + 8, xmax);
  storeU16(bytes.data() + 10, ymax);
  bytes.insert(bytes.end(), encoded.begin(), encoded.end());
  bytes.push_back(12);
  for (int i = 0; i < 768; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 3));
  return bytes;
}

// Run-length bytes for `count` pixels of index `value` (runs of at most 63).
inline void appendRun(Bytes& encoded, int count, std::uint8_t value) {
  while (count > 0) {
    const int run = count < 63 ? count : 63;
    encoded.push_back(static_cast<std::uint8_t>(192 + run));
    encoded.push_back(value);
    count -= run;
  }
}

}  // namespace qarto::test
