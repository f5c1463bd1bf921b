// The layouts a GBA program asks of the arrays: BIOS LZ77 streams read back
// by a decompressor written here after the BIOS's description, and map
// arrays in screen-block order.
#include <gtest/gtest.h>

#include <random>

#include "export/binary/binary_export.h"
#include "export/layout/gba_lz77.h"
#include "export/layout/screen_blocks.h"
#include "export_cases.h"
#include "writer_fixture.h"

namespace qarto {
namespace {

using test::WriterFixture;

// SWI 0x11's loop. `nearest` is the shortest distance a reference used.
std::vector<std::uint8_t> decompress(const std::vector<std::uint8_t>& stream, std::size_t& nearest) {
  EXPECT_GE(stream.size(), 4u);
  EXPECT_EQ(stream[0], 0x10);
  const std::size_t size = stream[1] | stream[2] << 8 | stream[3] << 16;
  std::vector<std::uint8_t> out;
  std::size_t at = 4;
  nearest = SIZE_MAX;
  while (out.size() < size && at < stream.size()) {
    const std::uint8_t flags = stream[at++];
    for (int item = 0; item < 8 && out.size() < size && at < stream.size(); ++item) {
      if ((flags & (0x80 >> item)) == 0) {
        out.push_back(stream[at++]);
        continue;
      }
      const std::size_t length = (stream[at] >> 4) + 3;
      const std::size_t distance = ((stream[at] & 0xF) << 8 | stream[at + 1]) + 1;
      at += 2;
      nearest = std::min(nearest, distance);
      if (distance > out.size()) return {};
      for (std::size_t i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
    }
  }
  return out;
}

std::vector<std::uint8_t> bytesOf(const std::vector<std::int64_t>& values) {
  std::vector<std::uint8_t> bytes;
  for (const std::int64_t value : values) bytes.insert(bytes.end(), {std::uint8_t(value), std::uint8_t(value >> 8)});
  return bytes;
}

TEST(Lz77, EveryStreamGivesItsDataBackWithoutReferencesToTheByteJustWritten) {
  std::mt19937 dice(29);
  const struct {
    const char* name;
    std::function<std::uint8_t(std::size_t)> byte;
  } kPatterns[] = {
      {"zeros", [](std::size_t) { return std::uint8_t{0}; }},
      {"noise", [&dice](std::size_t) { return static_cast<std::uint8_t>(dice()); }},
      {"runs and noise", [&dice](std::size_t i) { return static_cast<std::uint8_t>(i / 64 % 2 ? dice() % 4 : 7); }},
      {"beyond the window", [](std::size_t i) { return static_cast<std::uint8_t>(i % 5000 * 2654435761u >> 24); }},
  };
  for (const auto& pattern : kPatterns) {
    for (const std::size_t size : {0, 1, 2, 3, 18, 19, 21, 4096, 4099, 12001}) {
      std::vector<std::uint8_t> data(size);
      for (std::size_t i = 0; i < size; ++i) data[i] = pattern.byte(i);
      const std::vector<std::uint8_t> stream = compressLz77(data);
      std::size_t nearest = 0;
      EXPECT_EQ(decompress(stream, nearest), data) << pattern.name << " " << size;
      EXPECT_GE(nearest, 2u) << pattern.name << " " << size;
      EXPECT_EQ(stream.size() % 4, 0u);
      if (pattern.name == std::string("zeros") && size > 1000) {
        EXPECT_LT(stream.size(), size / 8);
      }
    }
  }
}

TEST(ScreenBlocks, CellXYGoesToItsBlockRowOfBlocksByRowOfBlocks) {
  for (const auto& [width, height] : {std::pair{33, 20}, {64, 64}, {96, 40}}) {
    std::vector<std::uint16_t> cells(static_cast<std::size_t>(width * height));
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<std::uint16_t>(i + 1);
    const std::vector<std::uint16_t> ordered = screenBlockOrder(cells, width, height);
    const int blocksWide = (width + 31) / 32;
    ASSERT_EQ(ordered.size(), static_cast<std::size_t>(blocksWide * ((height + 31) / 32) * 1024));
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int block = (y / 32) * blocksWide + x / 32;
        ASSERT_EQ(ordered[static_cast<std::size_t>(block * 1024 + y % 32 * 32 + x % 32)], y * width + x + 1)
            << width << "x" << height << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(std::count(ordered.begin(), ordered.end(), 0), static_cast<long>(ordered.size() - cells.size()));
  }
}

// Packed, every C array and binary file unpacks to the plain export's array,
// the wide layer's in block order, and the declared size is the packed one.
TEST(ExportLayout, PackedArraysUnpackToThePlainOnesAndPaddingIsReported) {
  WriterFixture f;
  f.addPage(2, 3);
  test::setTileCells(f.addLayer(LayerKind::Primary, "Wide", 33, 20), std::vector<int>(660, 1), 2);
  test::setTileCells(f.addLayer(LayerKind::Collision, "Walls", 33, 20), {1, 0, 1}, 1);
  ASSERT_TRUE(f.exportAll().success);
  auto plain = test::arraysOfFiles(f.out.path());
  std::vector<std::uint16_t> wide(plain["bgMap"].begin(), plain["bgMap"].end());
  wide = screenBlockOrder(wide, 33, 20);
  plain["bgMap"].assign(wide.begin(), wide.end());

  ExportOptions options;
  options.lz77 = true;
  options.screenBlocks = true;
  options.directory = f.out.file("packed");
  const ExportOutcome text = f.exportAll(options);
  EXPECT_NE(text.summary.find("\nPadded to whole screen blocks:\n\n  Wide: 33x20 cells padded with entry 0 to 64x32\n"),
            std::string::npos)
      << text.summary;
  options.directory = f.out.file("binary");
  ASSERT_TRUE(exportBinary(f.session, options).success);
  for (const char* file : {"BG_Palette.cpp", "BG_Tiles.cpp", "BG_Maps.cpp", "BG_Collisions.cpp"}) {
    for (const auto& array : test::arraysIn(test::readText(f.out.file("packed/") + file))) {
      EXPECT_EQ(array.declared, static_cast<long>(array.values.size())) << array.name;
    }
  }
  const auto packed = test::arraysOfFiles(f.out.file("packed"));
  ASSERT_EQ(packed.size(), 4u);
  for (const auto& [name, values] : packed) {
    const std::vector<std::uint8_t> bytes = bytesOf(values);
    EXPECT_EQ(bytes, test::readBytes(f.out.file("binary/") + name + ".bin")) << name;
    std::size_t nearest = 0;
    const std::vector<std::uint8_t> unpacked = decompress(bytes, nearest);
    std::vector<std::int64_t> halfwords;
    for (std::size_t at = 0; at + 1 < unpacked.size(); at += 2) halfwords.push_back(unpacked[at] | unpacked[at + 1] << 8);
    EXPECT_EQ(halfwords, plain[name]) << name;
  }
}

}  // namespace
}  // namespace qarto
