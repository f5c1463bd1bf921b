#include "io/images/pcx_reader.h"

#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "model/allocation.h"
#include "model/byte_order.h"

namespace qarto {
namespace {

using test::Bytes;

std::string decodeMessage(const Bytes& bytes, IndexedImage& image) {
  std::string message;
  decodePcxImage(bytes.empty() ? nullptr : bytes.data(), bytes.size(), "page.pcx", image, message);
  return message;
}

Bytes run(int count, std::uint8_t value) {
  Bytes encoded;
  test::appendRun(encoded, count, value);
  return encoded;
}

TEST(PcxDecode, SizeComesFromTheCornersEitherWayRound) {
  struct Case {
    std::uint16_t xmin, ymin, xmax, ymax;
    std::int32_t width, height;
  };
  for (const Case& c : {Case{0, 0, 127, 63, 128, 64}, Case{10, 20, 17, 35, 8, 16}, Case{17, 35, 10, 20, 8, 16}}) {
    IndexedImage image;
    ASSERT_EQ(decodeMessage(test::pcxBytes(c.xmin, c.ymin, c.xmax, c.ymax, run(c.width * c.height, 7)), image),
              "No errors.");
    EXPECT_EQ(std::pair(image.imageWidth, image.imageHeight), std::pair(c.width, c.height));
    EXPECT_EQ(image.pixels, Bytes(static_cast<std::size_t>(c.width * c.height), 7));
    for (std::size_t i = 0; i < kPaletteBytes; ++i) ASSERT_EQ(image.palette[i], static_cast<std::uint8_t>(i * 3)) << i;
  }
}

TEST(PcxDecode, RunsCrossRowEndsAndStopAtTheLastPixel) {
  // 16 x 8: twelve single pixels, then a run of 200 (count 8) of index 9 that
  // starts four pixels before the end of row 0.
  Bytes encoded;
  for (int i = 0; i < 12; ++i) encoded.push_back(static_cast<std::uint8_t>(i + 1));
  encoded.insert(encoded.end(), {200, 9, 192, 55});  // a count of 0 gives no pixel
  test::appendRun(encoded, 16 * 8 - 20 - 3, 4);
  encoded.insert(encoded.end(), {0xC5, 191, 77});  // 5 pixels of 191 where only 3 are left; 77 is never read
  IndexedImage image;
  ASSERT_EQ(decodeMessage(test::pcxBytes(0, 0, 15, 7, encoded), image), "No errors.");
  Bytes expected;
  for (int i = 0; i < 12; ++i) expected.push_back(static_cast<std::uint8_t>(i + 1));
  expected.resize(20, 9);
  expected.resize(125, 4);
  expected.resize(128, 191);
  EXPECT_EQ(image.pixels, expected);
}

TEST(PcxDecode, RefusesBrokenFilesWithTheirMessages) {
  const std::string notValid = "The file <page.pcx> is not a valid .pcx file!";
  const Bytes good = test::pcxBytes(0, 0, 7, 7, run(64, 1));
  auto edited = [&](auto edit) {
    Bytes bytes = good;
    edit(bytes);
    return bytes;
  };
  // The run code is the last encoded byte: its index would be the marker.
  Bytes lastRunCode = test::pcxBytes(0, 0, 7, 7, run(63, 1));
  lastRunCode.insert(lastRunCode.end() - 769, 193);
  lastRunCode.erase(lastRunCode.end() - 769);
  const std::pair<Bytes, std::string> cases[] = {
      {edited([](Bytes& b) { b[0] = 11; }), notValid},
      {edited([](Bytes& b) { b[1] = 3; }), notValid},
      {Bytes(good.begin(), good.begin() + 128 + 767), notValid},
      {test::pcxBytes(0, 0, 7, 7, run(32, 1)), notValid},
      {lastRunCode, notValid},
      {test::pcxBytes(0, 0, 65535, 65535, run(64, 1)), notValid},  // refused before allocating
      {edited([](Bytes& b) { storeU16(b.data() + 8, 9); }),
       "All tilesets must be a multiples of 8, such as 64x48 or 128x128.  File <page.pcx> has dimensions of 10x8.\n"},
      {edited([](Bytes& b) { storeU16(b.data() + 10, 4); }),
       "All tilesets must be a multiples of 8, such as 64x48 or 128x128.  File <page.pcx> has dimensions of 8x5.\n"},
  };
  ScopedAllocationLimit limit(1 << 16);
  for (const auto& [bytes, message] : cases) {
    IndexedImage image;
    image.imageWidth = 99;
    EXPECT_EQ(decodeMessage(bytes, image), message);
    EXPECT_EQ(image.imageWidth, 99) << message;
  }
}

// Truncations at every length are the fuzzer's; the table above has the kinds.
TEST(PcxDecode, ALargeImageMeetsTheAllocationLimit) {
  ScopedAllocationLimit limit(100);
  IndexedImage image;
  EXPECT_EQ(decodeMessage(test::pcxBytes(0, 0, 15, 15, run(256, 1)), image),
            "Memory allocation failed trying to load <page.pcx>!");
}

}  // namespace
}  // namespace qarto
