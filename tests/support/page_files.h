#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "io/bmp_codec.h"
#include "model/indexed_image.h"
#include "support/temp_folder.h"

namespace qarto::test {

// Palette index of pixel (x, y) of a page.
using PixelRule = std::function<std::uint8_t(int x, int y)>;

// An indexed image whose palette entry i is (i, 255 - i, i / 2).
inline IndexedImage makePage(int width, int height, const PixelRule& rule) {
  IndexedImage image;
  image.imageWidth = width;
  image.imageHeight = height;
  image.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.pixels[static_cast<std::size_t>(y) * width + x] = rule(x, y);
  }
  for (int i = 0; i < 256; ++i) {
    image.palette[static_cast<std::size_t>(i) * 3] = static_cast<std::uint8_t>(i);
    image.palette[static_cast<std::size_t>(i) * 3 + 1] = static_cast<std::uint8_t>(255 - i);
    image.palette[static_cast<std::size_t>(i) * 3 + 2] = static_cast<std::uint8_t>(i / 2);
  }
  return image;
}

// Tile number of pixel (x, y) on a page `width` pixels wide.
inline int tileAt(int width, int x, int y) { return (y / 8) * (width / 8) + x / 8; }

// Writes the page as an 8-bit BMP and returns its path.
inline std::string writePage(const TempFolder& folder, const std::string& name, const IndexedImage& image) {
  const std::string path = folder.file(name);
  writeBytes(path, encodeIndexedBmp(image, 256));
  return path;
}

}  // namespace qarto::test
