#include "io/images/bmp_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "image_fixtures.h"
#include "model/allocation.h"
#include "model/byte_order.h"

namespace qarto {
namespace {

using test::BmpLayout;
using test::Bytes;

std::string decodeMessage(const Bytes& bytes, IndexedImage& image) {
  std::string message;
  decodeBmpImage(bytes.empty() ? nullptr : bytes.data(), bytes.size(), "tiles/page.bmp", image, message);
  return message;
}

TEST(BmpDecode, FourBitGivesTwoPixelsPerByteHighNibbleFirst) {
  BmpLayout layout{8, 8, 4, 0, 2, test::rampColourTable(2), {}};  // two colours used of sixteen
  // Stored row r (bottom first) holds nibbles r, r+1, ..., r+7.
  for (int row = 0; row < 8; ++row) {
    for (int pair = 0; pair < 4; ++pair) {
      layout.pixelBytes.push_back(static_cast<std::uint8_t>((row + pair * 2) % 16 << 4 | (row + pair * 2 + 1) % 16));
    }
  }
  IndexedImage image;
  ASSERT_EQ(decodeMessage(test::bmpBytes(layout), image), "No errors.");
  ASSERT_EQ(std::pair(image.imageWidth, image.imageHeight), std::pair(8, 8));
  for (int i = 0; i < 64; ++i) ASSERT_EQ(image.pixels[static_cast<std::size_t>(i)], (7 - i / 8 + i % 8) % 16) << i;
  // Entry i is stored blue i, green i + 1, red i + 2; entries not stored stay black.
  std::array<std::uint8_t, kPaletteBytes> palette{2, 1, 0, 3, 2, 1};
  EXPECT_EQ(image.palette, palette);
}

TEST(BmpDecode, RowsAreStoredBottomFirstUnlessTheHeightIsNegative) {
  Bytes bytes = test::simpleBmp8(8, 16);
  IndexedImage image;
  ASSERT_EQ(decodeMessage(bytes, image), "No errors.");
  EXPECT_EQ(image.pixels[0], (15 * 8) % 251);  // top-left is the last stored row
  EXPECT_EQ(image.pixels[15 * 8], 0);
  EXPECT_EQ(image.palette[255 * 3], 1);  // red of entry 255 = 257 % 256

  storeI32(bytes.data() + 22, -16);
  ASSERT_EQ(decodeMessage(bytes, image), "No errors.");
  EXPECT_EQ(image.imageHeight, 16);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) ASSERT_EQ(image.pixels[i], i % 251) << i;
}

// The 16 x 8 test file with the little-endian field at `offset`, `width` bytes wide, set to `value`.
Bytes edited(int offset, std::int64_t value, int width = 4, Bytes bytes = test::simpleBmp8(16, 8)) {
  for (int i = 0; i < width; ++i)
    bytes[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(value >> (8 * i));
  return bytes;
}

TEST(BmpDecode, RefusesBrokenFilesWithTheirMessages) {
  const std::string notValid = "The file <tiles/page.bmp> is not a valid bitmap file!";
  const std::string depth = "-bit format.\n\nOnly 4- and 8-bit .bmp files are supported.";
  const std::string sides =
      "All tilesets must be a multiples of 8, such as 64x48 or 128x128.  File <tiles/page.bmp> has dimensions of ";
  const std::pair<Bytes, std::string> cases[] = {
      {test::simpleBmp8(60, 48), sides + "60x48.\n"},
      {test::simpleBmp8(64, 44), sides + "64x44.\n"},
      {edited(1, 'A', 1), notValid},
      {edited(2, 54 + 1024 + 128 + 1), notValid},  // stored size one more
      {edited(2, 54 + 1024 + 128 - 1), notValid},  // and one less
      {edited(30, 1), "Only uncompressed bitmaps are currently supported."},
      {test::bmpBytes({16, 8, 24, 0, 0, {}, Bytes(16 * 8 * 3, 0)}), "File <tiles/page.bmp> is in 24" + depth},
      {test::bmpBytes({16, 8, 1, 0, 0, test::rampColourTable(2), Bytes(16, 0)}),
       "File <tiles/page.bmp> is in 1" + depth},
      {edited(28, 16, 2), "File <tiles/page.bmp> is in 16" + depth},
      {edited(10, 54 + 1024 + 1), notValid},  // pixels past the end
      {edited(22, 16), notValid},  // more rows than stored
      {edited(18, 0), notValid},
      {edited(22, 0), notValid},
      {edited(14, 12), notValid},          // small information header
      {edited(14, 0x7FFFFFF0), notValid},  // colour table past the end
      // A huge image in a small file is refused before anything is allocated.
      {edited(18, 65528, 4, edited(22, 65528)), notValid},
      {edited(18, 65535, 4, edited(22, 65535)), sides + "65535x65535.\n"},
  };
  ScopedAllocationLimit limit(1 << 16);
  for (const auto& [bytes, message] : cases) {
    IndexedImage image;
    image.imageWidth = 99;
    EXPECT_EQ(decodeMessage(bytes, image), message);
    EXPECT_EQ(image.imageWidth, 99) << message << ": a refused file leaves the image alone";
  }
}

// Truncations at every length are the fuzzer's; the table above has the kinds.
TEST(BmpDecode, ALargeImageMeetsTheAllocationLimit) {
  ScopedAllocationLimit limit(100);
  IndexedImage image;
  EXPECT_EQ(decodeMessage(test::simpleBmp8(16, 8), image), "Memory allocation failed trying to load <tiles/page.bmp>!");
}

IndexedImage patternImage(int width, int height) {
  IndexedImage image;
  image.imageWidth = width;
  image.imageHeight = height;
  for (int i = 0; i < width * height; ++i) image.pixels.push_back(static_cast<std::uint8_t>(i * 37 + i / width));
  for (std::size_t i = 0; i < kPaletteBytes; ++i) image.palette[i] = static_cast<std::uint8_t>(255 - i);
  return image;
}

TEST(BmpWrite, HeadersAreExactTheImageReadsBackAndAnInconsistentOneIsRefused) {
  test::TempFolder folder;
  const IndexedImage image = patternImage(24, 16);
  std::string message;
  ASSERT_TRUE(writeIndexedBmp(folder.file("out.bmp"), image, 256, message));
  const Bytes bytes = test::readBytes(folder.file("out.bmp"));
  ASSERT_EQ(bytes.size(), 1078u + 24 * 16);
  // 1078 + 384 bytes, pixels at 1078, 24 x 16, 8 bits, 10 pixels per metre, 256 entries; then entry 0 as B, G, R, 0.
  test::ByteBuilder expectedHeaders;
  expectedHeaders.text("BM").i32(1462).i32(0).i32(1078).i32(40).i32(24).i32(16).u16(1).u16(8).zeros(8);
  expectedHeaders.i32(10).i32(10).i32(256).i32(256).u8(253).u8(254).u8(255).u8(0);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 58), expectedHeaders.data);
  EXPECT_EQ(bytes[1078], image.pixels[15 * 24]);  // bottom row first

  IndexedImage back;
  ASSERT_TRUE(readBmp(folder.file("out.bmp"), back, message)) << message;
  EXPECT_EQ(std::pair(back.imageWidth, back.imageHeight), std::pair(24, 16));
  EXPECT_EQ(back.pixels, image.pixels);
  EXPECT_EQ(back.palette, image.palette);

  IndexedImage broken = patternImage(8, 8);
  broken.imageHeight = 9;  // more rows than pixels
  EXPECT_FALSE(writeIndexedBmp(folder.file("broken.bmp"), broken, 256, message));
  EXPECT_FALSE(std::filesystem::exists(folder.file("broken.bmp")));
}

}  // namespace
}  // namespace qarto
