#pragma once

// Small, valid inputs from which the fuzzers start, built from byte layouts.

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "io/collision_set_file.h"
#include "io/images/bmp_codec.h"
#include "model/byte_order.h"

namespace qarto::seeds {

// The seed programs' main: one argument, the folder the seeds go to.
template <typename WriteSeeds>
int seedMain(int argc, char** argv, WriteSeeds writeSeeds) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  return writeSeeds(std::string(argv[1])) ? 0 : 1;
}

inline bool writeSeed(const std::string& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = folder + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

// An image with a pattern of indices and a palette of distinct colours.
inline IndexedImage patternImage(int width, int height, int indexModulus) {
  IndexedImage image;
  image.imageWidth = width;
  image.imageHeight = height;
  image.pixels.resize(static_cast<std::size_t>(width * height));
  for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>((i * 7 + i / 8) % indexModulus);
  for (std::size_t i = 0; i < image.palette.size(); ++i) image.palette[i] = static_cast<std::uint8_t>(i * 5);
  return image;
}

inline std::vector<std::uint8_t> bmp8(int width, int height) { return encodeIndexedBmp(patternImage(width, height, 256), 256); }

// A 4-bit BMP: 16-entry colour table, two pixels per byte.
inline std::vector<std::uint8_t> bmp4(int width, int height) {
  const std::size_t rowBytes = static_cast<std::size_t>(width / 2);
  const std::size_t offset = 54 + 64;
  std::vector<std::uint8_t> bytes(offset + rowBytes * static_cast<std::size_t>(height));
  storeU16(bytes.data(), 0x4D42);
  storeU32(bytes.data() + 2, static_cast<std::uint32_t>(bytes.size()));
  storeU32(bytes.data() + 10, static_cast<std::uint32_t>(offset));
  storeU32(bytes.data() + 14, 40);
  storeI32(bytes.data() + 18, width);
  storeI32(bytes.data() + 22, height);
  storeU16(bytes.data() + 26, 1);
  storeU16(bytes.data() + 28, 4);
  for (std::size_t i = 0; i < 64; ++i) bytes[54 + i] = static_cast<std::uint8_t>(i * 3);
  for (std::size_t i = offset; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 13);
  return bytes;
}

// An 8-bit run-length PCX with both single bytes and runs.
inline std::vector<std::uint8_t> pcx(int width, int height) {
  std::vector<std::uint8_t> bytes(128);
  bytes[0] = 10;
  bytes[1] = 5;
  bytes[2] = 1;
  bytes[3] = 8;
  storeU16(bytes.data() + 8, static_cast<std::uint16_t>(width - 1));
  storeU16(bytes.data() + 10, static_cast<std::uint16_t>(height - 1));
  bytes[65] = 1;
  storeU16(bytes.data() + 66, static_cast<std::uint16_t>(width));
  const int total = width * height;
  for (int filled = 0; filled < total;) {
    if (filled % 3 == 0 && total - filled >= 5) {
      bytes.push_back(192 + 5);
      bytes.push_back(static_cast<std::uint8_t>(200 + filled % 50));
      filled += 5;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(filled % 192));
      filled += 1;
    }
  }
  bytes.push_back(12);
  for (int i = 0; i < 768; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 11));
  return bytes;
}

inline std::vector<std::uint8_t> cll(std::uint32_t width, std::uint32_t height) {
  CollisionSetFile set;
  set.width = width;
  set.height = height;
  for (std::uint32_t i = 0; i < width * height; ++i) set.tiles.push_back(static_cast<std::uint8_t>(i % 40));
  return encodeCollisionSet(set);
}

// A PNG chunk: big-endian length, type, data and the CRC of type and data.
inline void appendPngChunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
  const auto length = static_cast<std::uint32_t>(data.size());
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(length >> shift));
  const std::size_t typeAt = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  const auto crc = static_cast<std::uint32_t>(crc32(0, png.data() + typeAt, static_cast<uInt>(4 + data.size())));
  for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(crc >> shift));
}

// A non-interlaced PNG of the pattern image: colour type 3 (indexed) packs
// the indices to `bitDepth` bits and writes `paletteEntries` colours and, when
// asked, a tRNS chunk; types 0 (grey), 2 (truecolour), 4 (grey and alpha)
// and 6 (truecolour and alpha) write `bitDepth`-bit samples.
inline std::vector<std::uint8_t> png(int width, int height, int bitDepth, int colourType = 3, int paletteEntries = 16,
                                     bool withTransparency = false) {
  const IndexedImage image = patternImage(width, height, colourType == 3 ? 1 << bitDepth : 256);
  const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
  std::vector<std::uint8_t> rows;
  for (int y = 0; y < height; ++y) {
    rows.push_back(0);  // filter: none
    std::uint32_t bits = 0;
    int held = 0;
    for (int x = 0; x < width * channels; ++x) {
      bits = bits << bitDepth | image.pixels[static_cast<std::size_t>(y * width + x / channels)];
      held += bitDepth;
      while (held >= 8) {
        held -= 8;
        rows.push_back(static_cast<std::uint8_t>(bits >> held));
      }
      bits &= (1u << held) - 1;
    }
    if (held > 0) rows.push_back(static_cast<std::uint8_t>(bits << (8 - held)));
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<std::uint8_t> packed(packedSize);
  compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), 9);
  packed.resize(packedSize);

  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header(13, 0);
  for (int i = 0; i < 4; ++i) {
    header[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(width) >> (24 - 8 * i));
    header[static_cast<std::size_t>(4 + i)] =
        static_cast<std::uint8_t>(static_cast<std::uint32_t>(height) >> (24 - 8 * i));
  }
  header[8] = static_cast<std::uint8_t>(bitDepth);
  header[9] = static_cast<std::uint8_t>(colourType);
  appendPngChunk(out, "IHDR", header);
  if (colourType == 3) {
    appendPngChunk(out, "PLTE", std::vector<std::uint8_t>(image.palette.begin(), image.palette.begin() + paletteEntries * 3));
    if (withTransparency) appendPngChunk(out, "tRNS", {0, 128});
  }
  appendPngChunk(out, "IDAT", packed);
  appendPngChunk(out, "IEND", {});
  return out;
}

}  // namespace qarto::seeds
