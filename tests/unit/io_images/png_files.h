#pragma once

// PNG files written through libpng's own writer, for the reader's tests.

#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/tileset/indexed_image.h"

namespace qarto::test {

struct PngLayout {
  int colourType = PNG_COLOR_TYPE_PALETTE;
  int bitDepth = 8;
  bool interlaced = false;
  int paletteEntries = 256;
};

inline void appendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

inline void flushNothing(png_structp) {}

// An indexed layout writes the image's indices, packed to the bit depth, and
// its first paletteEntries colours; the other colour types write each index
// into every channel.
inline std::vector<std::uint8_t> pngBytes(const IndexedImage& image, const PngLayout& layout) {
  std::vector<std::uint8_t> out;
  const int channels = layout.colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                       : layout.colourType == PNG_COLOR_TYPE_RGB     ? 3
                       : layout.colourType == PNG_COLOR_TYPE_GA      ? 2
                                                                     : 1;
  std::vector<std::uint8_t> pixels;
  for (const std::uint8_t index : image.pixels) pixels.insert(pixels.end(), static_cast<std::size_t>(channels), index);
  std::vector<png_bytep> rows;
  for (int y = 0; y < image.imageHeight; ++y) rows.push_back(pixels.data() + y * image.imageWidth * channels);
  std::vector<png_color> palette;
  for (int i = 0; i < layout.paletteEntries; ++i) {
    palette.push_back({image.palette[i * 3], image.palette[i * 3 + 1], image.palette[i * 3 + 2]});
  }

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) std::abort();  // the test's own layouts are always valid
  png_set_write_fn(png, &out, appendToVector, flushNothing);
  png_set_IHDR(png, info, image.imageWidth, image.imageHeight, layout.bitDepth, layout.colourType,
               layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (layout.colourType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette.data(), layout.paletteEntries);
  png_write_info(png, info);
  png_set_packing(png);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace qarto::test
