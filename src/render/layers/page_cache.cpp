#include "render/layers/page_cache.h"

#include <algorithm>
#include <cstring>

#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

std::uint32_t packRgba(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
  return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16 |
         static_cast<std::uint32_t>(a) << 24;
}

namespace {

std::unique_ptr<PageRgba> buildPage(const Tileset& tileset) {
  auto page = std::make_unique<PageRgba>();
  page->tileset = &tileset;
  page->width = tileset.imageWidth;
  page->tilesPerRow = tileset.imageWidth / kTileSide;
  const std::size_t count = static_cast<std::size_t>(tileset.imageWidth) * static_cast<std::size_t>(tileset.imageHeight);
  if (tileset.imageWidth <= 0 || tileset.imageHeight <= 0 || tileset.pixels.size() < count) return page;
  page->tileCount = tileset.tileCount;
  std::array<std::uint32_t, 256> colours{};
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* p = &tileset.palette[static_cast<std::size_t>(i) * 3];
    colours[static_cast<std::size_t>(i)] = packRgba(p[0], p[1], p[2], i % 16 == 0 ? 0 : 255);
  }
  page->pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i) page->pixels[i] = colours[tileset.pixels[i]];
  return page;
}

}  // namespace

void PageCache::sync(const TilesetRegistry& registry) {
  std::array<const Tileset*, 128> current{};
  for (const auto& [id, tileset] : registry) {
    if (id >= 0 && id < 128) current[static_cast<std::size_t>(id)] = tileset.get();
  }
  for (std::size_t id = 0; id < current.size(); ++id) {
    const Tileset* tileset = current[id];
    std::unique_ptr<PageRgba>& page = pages_[id];
    Source& source = sources_[id];
    if (tileset == nullptr) {
      if (page) ++generation_;
      page.reset();
      continue;
    }
    const bool same = page && page->tileset == tileset && source.serial == tileset->serial.value() &&
                      source.size == tileset->pixels.size() &&
                      std::memcmp(source.palette.data(), tileset->palette.data(), source.palette.size()) == 0;
    if (same) continue;
    page = buildPage(*tileset);
    source.serial = tileset->serial.value();
    source.size = tileset->pixels.size();
    std::memcpy(source.palette.data(), tileset->palette.data(), source.palette.size());
    ++generation_;
  }
}

}  // namespace qarto
