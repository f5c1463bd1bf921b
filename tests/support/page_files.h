#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "io/images/bmp_codec.h"
#include "io/images/display_image.h"
#include "model/tileset/indexed_image.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registration.h"
#include "support/temp_folder.h"

namespace qarto::test {

// Palette index of pixel (x, y) of a page, and byte i of its palette (R, G, B per entry).
using PixelRule = std::function<std::uint8_t(int x, int y)>;
using PaletteRule = std::function<std::uint8_t(std::size_t i)>;

// Entry i is (i, 255 - i, i / 2).
inline std::uint8_t rampPalette(std::size_t i) {
  const std::size_t entry = i / 3;
  return static_cast<std::uint8_t>(i % 3 == 0 ? entry : i % 3 == 1 ? 255 - entry : entry / 2);
}

inline IndexedImage makePage(int width, int height, const PixelRule& pixels, const PaletteRule& palette = rampPalette) {
  IndexedImage image;
  image.imageWidth = width;
  image.imageHeight = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.pixels.push_back(pixels(x, y));
  }
  for (std::size_t i = 0; i < kPaletteBytes; ++i) image.palette[i] = palette(i);
  return image;
}

// The same as a tileset with its geometry, not yet registered.
inline std::unique_ptr<Tileset> makeTileset(int id, int width, int height, const PixelRule& pixels,
                                            const PaletteRule& palette = rampPalette) {
  auto tileset = std::make_unique<Tileset>();
  static_cast<IndexedImage&>(*tileset) = makePage(width, height, pixels, palette);
  tileset->id = id;
  computeTilesetGeometry(*tileset);
  return tileset;
}

// The same, registered with the project as a loaded page is (an id of its
// own, its texture, its tab labelled `name`).
inline Tileset& registerPage(MapProject& project, TilesetHost& host, int width, int height, const PixelRule& pixels,
                             const std::string& name = "page") {
  std::unique_ptr<Tileset> page = makeTileset(-1, width, height, pixels);
  page->sourcePath = name + ".bmp";
  DisplayImage display = makeDisplayImage(*page);
  return *registerTileset(project, host, std::move(page), std::move(display));
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
