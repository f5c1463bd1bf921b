#include <gtest/gtest.h>
#include <png.h>

#include <random>

#include "io/picture/picture_reader.h"
#include "support/byte_builder.h"

namespace qarto {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A PNG written with libpng from samples: `channels` values of `depth` bits
// per pixel, plus a palette and tRNS where given.
Bytes encodePng(int w, int h, int colourType, int depth, const std::vector<int>& samples, const Bytes& palette,
                const Bytes& trns, int clearGrey) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, [](png_structp p, png_bytep d, png_size_t n) {
    auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
    o->insert(o->end(), d, d + n);
  }, nullptr);
  png_set_IHDR(png, info, w, h, depth, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, reinterpret_cast<const png_color*>(palette.data()), int(palette.size() / 3));
  png_color_16 grey{0, 0, 0, 0, std::uint16_t(clearGrey)};
  if (!trns.empty()) png_set_tRNS(png, info, trns.data(), int(trns.size()), nullptr);
  if (clearGrey >= 0) png_set_tRNS(png, info, nullptr, 0, &grey);
  png_write_info(png, info);
  const int channels = int(samples.size()) / (w * h);
  for (int y = 0; y < h; ++y) {
    Bytes row((w * channels * depth + 7) / 8 + 1, 0);
    for (int i = 0; i < w * channels; ++i) {
      const int v = samples[y * w * channels + i];
      if (depth == 16) row[i * 2] = std::uint8_t(v >> 8), row[i * 2 + 1] = std::uint8_t(v);
      else row[i * depth / 8] |= std::uint8_t(v << (8 - depth - i * depth % 8));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

TEST(PictureReaderTest, PngOfEveryColourTypeAndDepth) {
  struct Case {
    int type, depth, channels;
  };
  const Case cases[] = {{PNG_COLOR_TYPE_GRAY, 1, 1},       {PNG_COLOR_TYPE_GRAY, 2, 1},  {PNG_COLOR_TYPE_GRAY, 4, 1},
                        {PNG_COLOR_TYPE_GRAY, 8, 1},       {PNG_COLOR_TYPE_GRAY, 16, 1}, {PNG_COLOR_TYPE_GA, 8, 2},
                        {PNG_COLOR_TYPE_GA, 16, 2},        {PNG_COLOR_TYPE_RGB, 8, 3},   {PNG_COLOR_TYPE_RGB, 16, 3},
                        {PNG_COLOR_TYPE_RGBA, 8, 4},       {PNG_COLOR_TYPE_RGBA, 16, 4}, {PNG_COLOR_TYPE_PALETTE, 1, 1},
                        {PNG_COLOR_TYPE_PALETTE, 2, 1},    {PNG_COLOR_TYPE_PALETTE, 4, 1}, {PNG_COLOR_TYPE_PALETTE, 8, 1}};
  std::mt19937 random(5);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << "/" << c.depth);
    const int w = 13, h = 5, top = (1 << c.depth) - 1;
    std::vector<int> samples(w * h * c.channels);
    for (int& s : samples) s = int(random() % (top + 1));
    const bool paletted = c.type == PNG_COLOR_TYPE_PALETTE;
    Bytes palette, trns;
    for (int e = 0; paletted && e <= top; ++e) palette.insert(palette.end(), {std::uint8_t(e * 7), std::uint8_t(e * 3), std::uint8_t(255 - e)});
    if (paletted) trns = {0, 77};
    const int clearGrey = c.type == PNG_COLOR_TYPE_GRAY ? samples[0] : -1;
    const Bytes file = encodePng(w, h, c.type, c.depth, samples, palette, trns, clearGrey);
    DisplayImage picture;
    std::string message;
    ASSERT_TRUE(decodePicture(file.data(), file.size(), "p.png", picture, message)) << message;
    ASSERT_EQ(picture.width, w);
    for (int p = 0; p < w * h; ++p) {
      const int* s = &samples[p * c.channels];
      auto eight = [&](int v) { return c.depth == 16 ? v >> 8 : v * 255 / top; };
      std::array<int, 4> want{};
      if (paletted) want = {palette[s[0] * 3], palette[s[0] * 3 + 1], palette[s[0] * 3 + 2], s[0] < 2 ? trns[s[0]] : 255};
      else if (c.channels <= 2) want = {eight(s[0]), eight(s[0]), eight(s[0]), c.channels == 2 ? eight(s[1]) : (s[0] == samples[0] ? 0 : 255)};
      else want = {eight(s[0]), eight(s[1]), eight(s[2]), c.channels == 4 ? eight(s[3]) : 255};
      for (int ch = 0; ch < 4; ++ch) ASSERT_EQ(picture.rgba[p * 4 + ch], want[ch]) << p << " " << ch;
    }
  }
}

// A BMP whose pixel p holds value(p), `bits` deep, with the given header
// size, compression, masks and colour table.
struct BmpCase {
  int bits;
  std::uint32_t infoSize, compression;
  std::vector<std::uint32_t> masks;
  bool topDown;
  bool alphaBytes;  // 32-bit: the fourth byte carries alpha
};

TEST(PictureReaderTest, BmpOfEveryDepth) {
  const BmpCase cases[] = {{1, 40, 0, {}, false, false},  {4, 40, 0, {}, false, false}, {8, 40, 0, {}, true, false},
                           {16, 40, 0, {}, false, false}, {24, 40, 0, {}, true, false}, {32, 40, 0, {}, false, true},
                           {32, 40, 0, {}, false, false}, {32, 40, 3, {0xFF00, 0xFF0000, 0xFF000000}, false, false},
                           {32, 108, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, true, true}};
  std::mt19937 random(9);
  for (const BmpCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << "/" << c.infoSize << "/" << c.compression);
    const int w = 11, h = 3, stride = (w * c.bits + 31) / 32 * 4;
    const int entries = c.bits <= 8 ? 1 << c.bits : 0;
    test::ByteBuilder table;
    for (int e = 0; e < entries; ++e) table.u8(e * 5).u8(e * 3).u8(e).u8(0);
    Bytes rows(std::size_t(stride) * h, 0);
    std::vector<std::array<int, 4>> want(w * h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const std::uint32_t v = random() & (c.bits == 32 ? 0xFFFFFFFFu : (1u << c.bits) - 1);
        std::uint8_t* row = rows.data() + std::size_t(c.topDown ? y : h - 1 - y) * stride;
        for (int b = 0; b < c.bits && c.bits >= 8; b += 8) row[x * c.bits / 8 + b / 8] = std::uint8_t(v >> b);
        if (c.bits < 8) row[x * c.bits / 8] |= std::uint8_t(v << (8 - c.bits - x * c.bits % 8));
        auto byteAt = [&](int shift) { return int(v >> shift) & 255; };
        std::array<int, 4>& px = want[y * w + x];
        if (c.bits <= 8) px = {int(v), int(v * 3) & 255, int(v * 5) & 255, 255};
        else if (c.bits == 16) px = {int(v >> 10 & 31) * 33 / 4, int(v >> 5 & 31) * 33 / 4, int(v & 31) * 33 / 4, 255};
        else if (c.compression == 3 && c.infoSize == 40) px = {byteAt(8), byteAt(16), byteAt(24), 255};
        else px = {byteAt(16), byteAt(8), byteAt(0), c.alphaBytes ? byteAt(24) : 255};
        if (c.bits == 32 && c.compression == 0 && !c.alphaBytes) row[x * 4 + 3] = 0;
      }
    }
    test::ByteBuilder header;
    const std::uint32_t offset = 14 + c.infoSize + (c.infoSize == 40 ? 4 * std::uint32_t(c.masks.size()) : 0) + entries * 4;
    header.text("BM").i32(std::int32_t(offset + rows.size())).i32(0).i32(std::int32_t(offset)).i32(std::int32_t(c.infoSize));
    header.i32(w).i32(c.topDown ? -h : h).u16(1).u16(c.bits).i32(std::int32_t(c.compression)).zeros(20);
    for (const std::uint32_t m : c.masks) header.i32(std::int32_t(m));
    if (c.infoSize > 40) header.zeros(c.infoSize - 40 - 4 * c.masks.size());
    const Bytes file = header.append(table.data).append(rows).data;
    DisplayImage picture;
    std::string message;
    ASSERT_TRUE(decodePicture(file.data(), file.size(), "p.bmp", picture, message)) << message;
    for (int p = 0; p < w * h; ++p) {
      for (int ch = 0; ch < 4; ++ch) ASSERT_EQ(picture.rgba[p * 4 + ch], want[p][ch]) << p << " " << ch;
    }
  }
}

TEST(PictureReaderTest, RefusesWhatItCannotRead) {
  const Bytes text = {'h', 'e', 'l', 'l', 'o'};
  const Bytes rle = test::ByteBuilder().text("BM").i32(62).zeros(8).i32(40).i32(8).i32(8).u16(1).u16(8).i32(1).zeros(20).data;
  for (const auto& [bytes, want] : {std::pair{text, "The file <x> is not a picture Qarto can read (PNG, BMP or PCX)."},
                                    std::pair{rle, "Only uncompressed bitmaps are currently supported."}}) {
    DisplayImage picture;
    std::string message;
    EXPECT_FALSE(decodePicture(bytes.data(), bytes.size(), "x", picture, message));
    EXPECT_EQ(message, want);
  }
}

}  // namespace
}  // namespace qarto
