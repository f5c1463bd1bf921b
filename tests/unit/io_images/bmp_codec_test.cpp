#include "io/bmp_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "image_fixtures.h"
#include "model/allocation.h"

namespace qarto {
namespace {

using test::BmpLayout;
using test::Bytes;

bool decode(const Bytes& bytes, IndexedImage& image, std::string& message) {
  return decodeBmpImage(bytes.data(), bytes.size(), "tiles/page.bmp", image, message);
}

std::string decodeMessage(const Bytes& bytes) {
  IndexedImage image;
  std::string message;
  decode(bytes, image, message);
  return message;
}

TEST(BmpDecode, FourBitGivesTwoPixelsPerByteAndBlackUpperPalette) {
  BmpLayout layout;
  layout.width = 8;
  layout.height = 8;
  layout.bitsPerPixel = 4;
  layout.colourTable = test::rampColourTable(16);
  // Stored row r (bottom first) holds nibbles r, r+1, ..., high nibble first.
  for (int row = 0; row < 8; ++row) {
    for (int pair = 0; pair < 4; ++pair) {
      const int first = (row + pair * 2) % 16;
      const int second = (row + pair * 2 + 1) % 16;
      layout.pixelBytes.push_back(static_cast<std::uint8_t>(first << 4 | second));
    }
  }
  IndexedImage image;
  std::string message;
  ASSERT_TRUE(decode(test::bmpBytes(layout), image, message));
  EXPECT_EQ(message, "No errors.");
  ASSERT_EQ(image.imageWidth, 8);
  ASSERT_EQ(image.imageHeight, 8);
  for (int y = 0; y < 8; ++y) {
    const int storedRow = 7 - y;
    for (int x = 0; x < 8; ++x) EXPECT_EQ(image.pixels[static_cast<std::size_t>(y * 8 + x)], (storedRow + x) % 16);
  }
  for (int entry = 0; entry < 16; ++entry) {
    EXPECT_EQ(image.palette[entry * 3 + 0], entry + 2) << entry;  // red
    EXPECT_EQ(image.palette[entry * 3 + 1], entry + 1) << entry;  // green
    EXPECT_EQ(image.palette[entry * 3 + 2], entry) << entry;      // blue
  }
  for (std::size_t i = 16 * 3; i < kPaletteBytes; ++i) ASSERT_EQ(image.palette[i], 0) << i;
}

TEST(BmpDecode, RowsAreStoredBottomFirstUnlessTheHeightIsNegative) {
  Bytes bottomUp = test::simpleBmp8(8, 16);
  IndexedImage image;
  std::string message;
  ASSERT_TRUE(decode(bottomUp, image, message));
  EXPECT_EQ(image.pixels[0], (15 * 8) % 251);  // top-left is the last stored row
  EXPECT_EQ(image.pixels[15 * 8], 0);
  EXPECT_EQ(image.palette[255 * 3], 1);  // red of entry 255 = 257 % 256

  // A top-down file (negative height) is read in stored order.
  Bytes topDown = bottomUp;
  storeI32(topDown.data() + 22, -16);
  ASSERT_TRUE(decode(topDown, image, message));
  EXPECT_EQ(image.imageHeight, 16);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) ASSERT_EQ(image.pixels[i], i % 251) << i;
}

TEST(BmpDecode, ShortColourTableLeavesTheOtherEntriesBlack) {
  BmpLayout layout;
  layout.width = 8;
  layout.height = 8;
  layout.coloursUsed = 2;
  layout.colourTable = test::rampColourTable(2);
  layout.pixelBytes.assign(64, 1);
  IndexedImage image;
  std::string message;
  ASSERT_TRUE(decode(test::bmpBytes(layout), image, message)) << message;
  EXPECT_EQ(image.palette[3], 3);  // entry 1 red
  for (std::size_t i = 6; i < kPaletteBytes; ++i) ASSERT_EQ(image.palette[i], 0) << i;
}

TEST(BmpDecode, SidesMustBeMultiplesOfEight) {
  struct Case {
    std::int32_t width, height;
    const char* dimensions;  // nullptr: accepted
  };
  const Case cases[] = {{64, 48, nullptr}, {60, 48, "60x48"}, {64, 44, "64x44"}, {8, 8, nullptr}};
  for (const Case& c : cases) {
    IndexedImage image;
    std::string message;
    const bool ok = decode(test::simpleBmp8(c.width, c.height), image, message);
    if (c.dimensions == nullptr) {
      EXPECT_TRUE(ok) << message;
      EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(c.width * c.height));
    } else {
      EXPECT_FALSE(ok);
      EXPECT_EQ(message, std::string("All tilesets must be a multiples of 8, such as 64x48 or 128x128.  "
                                     "File <tiles/page.bmp> has dimensions of ") +
                             c.dimensions + ".\n");
    }
  }
}

TEST(BmpDecode, RefusesBrokenHeadersWithTheirMessages) {
  const std::string notValid = "The file <tiles/page.bmp> is not a valid bitmap file!";
  const std::string uncompressed = "Only uncompressed bitmaps are currently supported.";
  auto depth = [](int bits) {
    return "File <tiles/page.bmp> is in " + std::to_string(bits) + "-bit format.\n\nOnly 4- and 8-bit .bmp files are supported.";
  };
  const Bytes good = test::simpleBmp8(16, 8);
  auto edited = [&](auto edit) {
    Bytes bytes = good;
    edit(bytes);
    return bytes;
  };
  struct Case {
    const char* name;
    Bytes bytes;
    std::string message;
  };
  BmpLayout deep;
  deep.bitsPerPixel = 24;
  deep.pixelBytes.assign(16 * 8 * 3, 0);
  BmpLayout mono;
  mono.bitsPerPixel = 1;
  mono.colourTable = test::rampColourTable(2);
  mono.pixelBytes.assign(16, 0);
  const Case cases[] = {
      {"type", edited([](Bytes& b) { b[1] = 'A'; }), notValid},
      {"stored size one more", edited([](Bytes& b) { storeU32(b.data() + 2, static_cast<std::uint32_t>(b.size() + 1)); }), notValid},
      {"stored size one less", edited([](Bytes& b) { storeU32(b.data() + 2, static_cast<std::uint32_t>(b.size() - 1)); }), notValid},
      {"compressed", edited([](Bytes& b) { storeU32(b.data() + 30, 1); }), uncompressed},
      {"24-bit", test::bmpBytes(deep), depth(24)},
      {"1-bit", test::bmpBytes(mono), depth(1)},
      {"16-bit", edited([](Bytes& b) { storeU16(b.data() + 28, 16); }), depth(16)},
      {"pixels past the end", edited([](Bytes& b) { storeU32(b.data() + 10, 54 + 1024 + 1); }), notValid},
      {"pixel offset far away", edited([](Bytes& b) { storeU32(b.data() + 10, 0xFFFFFFF0u); }), notValid},
      {"more rows than stored", edited([](Bytes& b) { storeI32(b.data() + 22, 16); }), notValid},
      {"zero width", edited([](Bytes& b) { storeI32(b.data() + 18, 0); }), notValid},
      {"negative width", edited([](Bytes& b) { storeI32(b.data() + 18, -16); }), notValid},
      {"zero height", edited([](Bytes& b) { storeI32(b.data() + 22, 0); }), notValid},
      {"lowest height", edited([](Bytes& b) { storeI32(b.data() + 22, INT32_MIN); }), notValid},
      {"small information header", edited([](Bytes& b) { storeU32(b.data() + 14, 12); }), notValid},
      {"colour table past the end", edited([](Bytes& b) { storeU32(b.data() + 14, 0x7FFFFFF0u); }), notValid},
  };
  for (const Case& c : cases) {
    IndexedImage image;
    image.imageWidth = 99;
    std::string message;
    EXPECT_FALSE(decode(c.bytes, image, message)) << c.name;
    EXPECT_EQ(message, c.message) << c.name;
    EXPECT_EQ(image.imageWidth, 99) << c.name << ": a refused file leaves the image alone";
  }
}

TEST(BmpDecode, EveryTruncationIsRefusedWithAMessage) {
  for (const Bytes& whole : {test::simpleBmp8(16, 8), test::bmpBytes({8, 8, 4, 0, 0, test::rampColourTable(16), Bytes(32, 0x5A)})}) {
    for (std::size_t length = 0; length < whole.size(); ++length) {
      Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
      // Also with the stored size patched to match, so the later checks run.
      Bytes patched = cut;
      if (patched.size() >= 6) storeU32(patched.data() + 2, static_cast<std::uint32_t>(patched.size()));
      for (const Bytes& bytes : {cut, patched}) {
        IndexedImage image;
        std::string message;
        ASSERT_FALSE(decodeBmpImage(bytes.empty() ? nullptr : bytes.data(), bytes.size(), "t.bmp", image, message))
            << length;
        EXPECT_EQ(message, "The file <t.bmp> is not a valid bitmap file!") << length;
      }
    }
  }
}

TEST(BmpDecode, HugeDimensionsInASmallFileAreRefusedBeforeAllocating) {
  // Were the decoder to allocate, the low limit would turn it into the
  // allocation message instead.
  ScopedAllocationLimit limit(1 << 16);
  for (std::int32_t side : {65535, 65528}) {
    Bytes bytes = test::simpleBmp8(8, 8);
    storeI32(bytes.data() + 18, side);
    storeI32(bytes.data() + 22, side);
    const std::string message = decodeMessage(bytes);
    if (side % 8 == 0) {
      EXPECT_EQ(message, "The file <tiles/page.bmp> is not a valid bitmap file!");
    } else {
      EXPECT_NE(message.find("has dimensions of 65535x65535."), std::string::npos) << message;
    }
  }
}

TEST(BmpDecode, PixelBufferOverTheLimitGivesTheAllocationMessage) {
  ScopedAllocationLimit limit(100);
  EXPECT_EQ(decodeMessage(test::simpleBmp8(16, 8)), "Memory allocation failed trying to load <tiles/page.bmp>!");
}

TEST(BmpFile, ReadReportsMissingAndEmptyFiles) {
  test::TempFolder folder;
  test::writeBytes(folder.file("empty.bmp"), {});
  IndexedImage image;
  std::string message;
  EXPECT_FALSE(readBmp(folder.file("missing.bmp"), image, message));
  EXPECT_EQ(message, "File <" + folder.file("missing.bmp") + "> not found!");
  EXPECT_FALSE(readBmp(folder.file("empty.bmp"), image, message));
  EXPECT_EQ(message, "File <" + folder.file("empty.bmp") + "> is empty!");
  EXPECT_FALSE(readBmp(folder.path(), image, message));
  EXPECT_EQ(message, "File <" + folder.path() + "> not found!");
}

TEST(BmpFile, ReadBufferOverTheLimitGivesTheFileBufferMessage) {
  test::TempFolder folder;
  test::writeBytes(folder.file("page.bmp"), test::simpleBmp8(16, 8));
  ScopedAllocationLimit limit(64);
  IndexedImage image;
  std::string message;
  EXPECT_FALSE(readBmp(folder.file("page.bmp"), image, message));
  EXPECT_EQ(message, "Memory allocation faile while trying to load the file <" + folder.file("page.bmp") + ">!");
}

IndexedImage patternImage(int width, int height) {
  IndexedImage image;
  image.imageWidth = width;
  image.imageHeight = height;
  for (int i = 0; i < width * height; ++i) image.pixels.push_back(static_cast<std::uint8_t>(i * 37 + i / width));
  for (std::size_t i = 0; i < kPaletteBytes; ++i) image.palette[i] = static_cast<std::uint8_t>(255 - i);
  return image;
}

TEST(BmpWrite, HeadersAreExactAndTheImageReadsBack) {
  test::TempFolder folder;
  const IndexedImage image = patternImage(24, 16);
  std::string message;
  ASSERT_TRUE(writeIndexedBmp(folder.file("out.bmp"), image, 256, message));
  EXPECT_EQ(message, "No errors.");
  const Bytes bytes = test::readBytes(folder.file("out.bmp"));
  ASSERT_EQ(bytes.size(), 1078u + 24 * 16);

  const Bytes expectedHeaders = {
      'B', 'M', 0xB6, 0x05, 0, 0,  // 1078 + 384 = 1462
      0, 0, 0, 0,                  // reserved
      0x36, 0x04, 0, 0,            // 1078
      40, 0, 0, 0,                 // information header size
      24, 0, 0, 0, 16, 0, 0, 0,    // width, height
      1, 0, 8, 0,                  // planes, bits
      0, 0, 0, 0, 0, 0, 0, 0,      // compression, image size
      10, 0, 0, 0, 10, 0, 0, 0,    // pixels per metre
      0, 1, 0, 0, 0, 1, 0, 0,      // 256 entries, 256 important
  };
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 54), expectedHeaders);
  EXPECT_EQ(bytes[54], image.palette[2]);  // blue, green, red, 0
  EXPECT_EQ(bytes[55], image.palette[1]);
  EXPECT_EQ(bytes[56], image.palette[0]);
  EXPECT_EQ(bytes[57], 0);
  EXPECT_EQ(bytes[1078], image.pixels[15 * 24]);  // bottom row first

  IndexedImage back;
  ASSERT_TRUE(readBmp(folder.file("out.bmp"), back, message)) << message;
  EXPECT_EQ(back.imageWidth, 24);
  EXPECT_EQ(back.imageHeight, 16);
  EXPECT_EQ(back.pixels, image.pixels);
  EXPECT_EQ(back.palette, image.palette);
}

TEST(BmpWrite, FewerPaletteEntriesMoveThePixelOffset) {
  const IndexedImage image = patternImage(8, 8);
  const Bytes bytes = encodeIndexedBmp(image, 16);
  ASSERT_EQ(bytes.size(), 54u + 64 + 64);
  EXPECT_EQ(loadU32(bytes.data() + 10), 54u + 64);
  EXPECT_EQ(loadU32(bytes.data() + 46), 16u);
  IndexedImage back;
  std::string message;
  ASSERT_TRUE(decodeBmpImage(bytes.data(), bytes.size(), "x.bmp", back, message)) << message;
  EXPECT_EQ(back.pixels, image.pixels);
  EXPECT_TRUE(std::equal(back.palette.begin(), back.palette.begin() + 48, image.palette.begin()));
  EXPECT_EQ(back.palette[48], 0);
}

TEST(BmpWrite, UnwritableTargetOrInconsistentImageIsReported) {
  test::TempFolder folder;
  const std::string path = folder.file("no/such/folder/out.bmp");
  std::string message;
  EXPECT_FALSE(writeIndexedBmp(path, patternImage(8, 8), 256, message));
  EXPECT_EQ(message, "File <" + path + "> could not be opened for writing.");

  IndexedImage broken = patternImage(8, 8);
  broken.imageHeight = 9;  // more rows than pixels
  EXPECT_TRUE(encodeIndexedBmp(broken, 256).empty());
  EXPECT_FALSE(writeIndexedBmp(folder.file("broken.bmp"), broken, 256, message));
  EXPECT_FALSE(std::filesystem::exists(folder.file("broken.bmp")));
}

}  // namespace
}  // namespace qarto
