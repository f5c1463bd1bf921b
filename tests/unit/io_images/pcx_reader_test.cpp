#include "io/pcx_reader.h"

#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "model/allocation.h"

namespace qarto {
namespace {

using test::Bytes;

bool decode(const Bytes& bytes, IndexedImage& image, std::string& message) {
  return decodePcxImage(bytes.data(), bytes.size(), "page.pcx", image, message);
}

TEST(PcxDecode, SizeComesFromTheCornersEitherWayRound) {
  struct Case {
    std::uint16_t xmin, ymin, xmax, ymax;
    std::int32_t width, height;
  };
  const Case cases[] = {{0, 0, 127, 63, 128, 64}, {10, 20, 17, 35, 8, 16}, {17, 35, 10, 20, 8, 16}};
  for (const Case& c : cases) {
    Bytes encoded;
    test::appendRun(encoded, c.width * c.height, 7);
    IndexedImage image;
    std::string message;
    ASSERT_TRUE(decode(test::pcxBytes(c.xmin, c.ymin, c.xmax, c.ymax, encoded), image, message)) << message;
    EXPECT_EQ(message, "No errors.");
    EXPECT_EQ(image.imageWidth, c.width);
    EXPECT_EQ(image.imageHeight, c.height);
    EXPECT_EQ(image.pixels, Bytes(static_cast<std::size_t>(c.width * c.height), 7));
    for (std::size_t i = 0; i < kPaletteBytes; ++i) ASSERT_EQ(image.palette[i], static_cast<std::uint8_t>(i * 3)) << i;
  }
}

TEST(PcxDecode, RunsCrossRowEndsAndStopAtTheLastPixel) {
  // 16 x 8: twelve single pixels, then a run of 200 (count 8) of index 9 that
  // starts four pixels before the end of row 0.
  Bytes encoded;
  for (int i = 0; i < 12; ++i) encoded.push_back(static_cast<std::uint8_t>(i + 1));
  encoded.push_back(200);
  encoded.push_back(9);
  encoded.push_back(192);  // a count of 0 gives no pixel
  encoded.push_back(55);
  test::appendRun(encoded, 16 * 8 - 20 - 3, 4);
  encoded.push_back(0xC5);  // 5 pixels of 191 where only 3 are left
  encoded.push_back(191);
  encoded.push_back(77);  // beyond the image: never read
  IndexedImage image;
  std::string message;
  ASSERT_TRUE(decode(test::pcxBytes(0, 0, 15, 7, encoded), image, message)) << message;
  for (int x = 0; x < 12; ++x) EXPECT_EQ(image.pixels[static_cast<std::size_t>(x)], x + 1);
  for (int x = 12; x < 16; ++x) EXPECT_EQ(image.pixels[static_cast<std::size_t>(x)], 9) << "row 0, x " << x;
  for (int x = 0; x < 4; ++x) EXPECT_EQ(image.pixels[static_cast<std::size_t>(16 + x)], 9) << "row 1, x " << x;
  EXPECT_EQ(image.pixels[20], 4);
  EXPECT_EQ(image.pixels[124], 4);
  for (std::size_t i = 125; i < 128; ++i) EXPECT_EQ(image.pixels[i], 191);
}

TEST(PcxDecode, RefusesBrokenFilesWithTheirMessages) {
  const std::string notValid = "The file <page.pcx> is not a valid .pcx file!";
  Bytes full;
  test::appendRun(full, 64, 1);
  const Bytes good = test::pcxBytes(0, 0, 7, 7, full);
  auto edited = [&](auto edit) {
    Bytes bytes = good;
    edit(bytes);
    return bytes;
  };
  Bytes halfData;
  test::appendRun(halfData, 32, 1);
  struct Case {
    const char* name;
    Bytes bytes;
    std::string message;
  };
  const Case cases[] = {
      {"manufacturer", edited([](Bytes& b) { b[0] = 11; }), notValid},
      {"version", edited([](Bytes& b) { b[1] = 3; }), notValid},
      {"header and palette only", Bytes(good.begin(), good.begin() + 128 + 767), notValid},
      {"data ends early", test::pcxBytes(0, 0, 7, 7, halfData), notValid},
      {"width", edited([](Bytes& b) { storeU16(b.data() + 8, 9); }),
       "All tilesets must be a multiples of 8, such as 64x48 or 128x128.  File <page.pcx> has dimensions of 10x8.\n"},
      {"height", edited([](Bytes& b) { storeU16(b.data() + 10, 4); }),
       "All tilesets must be a multiples of 8, such as 64x48 or 128x128.  File <page.pcx> has dimensions of 8x5.\n"},
  };
  for (const Case& c : cases) {
    IndexedImage image;
    image.imageWidth = 99;
    std::string message;
    EXPECT_FALSE(decode(c.bytes, image, message)) << c.name;
    EXPECT_EQ(message, c.message) << c.name;
    EXPECT_EQ(image.imageWidth, 99) << c.name;
  }
}

TEST(PcxDecode, RunCodeWithoutItsIndexByteIsTruncation) {
  // The run code is the last encoded byte: its index would be the marker.
  Bytes encoded;
  test::appendRun(encoded, 63, 1);
  encoded.push_back(193);
  Bytes bytes = test::pcxBytes(0, 0, 7, 7, encoded);
  bytes.erase(bytes.end() - 769);  // drop the marker so 193 ends the data
  IndexedImage image;
  std::string message;
  EXPECT_FALSE(decode(bytes, image, message));
  EXPECT_EQ(message, "The file <page.pcx> is not a valid .pcx file!");
}

TEST(PcxDecode, EveryTruncationIsRefusedWithAMessage) {
  Bytes encoded;
  for (int i = 0; i < 40; ++i) encoded.push_back(static_cast<std::uint8_t>(i));
  test::appendRun(encoded, 128 - 40, 200);
  const Bytes whole = test::pcxBytes(0, 0, 15, 7, encoded);
  // Only the marker byte may go: the data still fills the image.
  for (std::size_t length = 0; length + 1 < whole.size(); ++length) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    IndexedImage image;
    std::string message;
    ASSERT_FALSE(decodePcxImage(cut.empty() ? nullptr : cut.data(), cut.size(), "page.pcx", image, message)) << length;
    EXPECT_EQ(message, "The file <page.pcx> is not a valid .pcx file!") << length;
  }
}

TEST(PcxDecode, HugeDimensionsInASmallFileAreRefusedBeforeAllocating) {
  ScopedAllocationLimit limit(1 << 16);
  Bytes encoded;
  test::appendRun(encoded, 64, 1);
  IndexedImage image;
  std::string message;
  EXPECT_FALSE(decode(test::pcxBytes(0, 0, 65535, 65535, encoded), image, message));
  EXPECT_EQ(message, "The file <page.pcx> is not a valid .pcx file!");
}

TEST(PcxDecode, PixelBufferOverTheLimitGivesTheAllocationMessage) {
  Bytes encoded;
  test::appendRun(encoded, 256, 1);
  ScopedAllocationLimit limit(100);
  IndexedImage image;
  std::string message;
  EXPECT_FALSE(decode(test::pcxBytes(0, 0, 15, 15, encoded), image, message));
  EXPECT_EQ(message, "Memory allocation failed trying to load <page.pcx>!");
}

TEST(PcxFile, ReadsFromDiskAndReportsMissingAndEmptyFiles) {
  test::TempFolder folder;
  Bytes encoded;
  test::appendRun(encoded, 64, 3);
  test::writeBytes(folder.file("page.pcx"), test::pcxBytes(0, 0, 7, 7, encoded));
  test::writeBytes(folder.file("empty.pcx"), {});
  IndexedImage image;
  std::string message;
  ASSERT_TRUE(readPcx(folder.file("page.pcx"), image, message)) << message;
  EXPECT_EQ(image.pixels, Bytes(64, 3));
  EXPECT_FALSE(readPcx(folder.file("missing.pcx"), image, message));
  EXPECT_EQ(message, "File <" + folder.file("missing.pcx") + "> not found!");
  EXPECT_FALSE(readPcx(folder.file("empty.pcx"), image, message));
  EXPECT_EQ(message, "File <" + folder.file("empty.pcx") + "> is empty!");
}

}  // namespace
}  // namespace qarto
