#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace qarto {

struct Tileset;
class TilesetRegistry;

// A tile page as RGBA words (red in the low byte), the way its texture
// holds it: the palette colour of each index, transparent for colour 0 of
// every 16-colour row.
struct PageRgba {
  const Tileset* tileset = nullptr;
  std::vector<std::uint32_t> pixels;  // imageWidth x imageHeight, rows from the top
  int width = 0;
  int tileCount = 0;
  int tilesPerRow = 0;
};

// The registered pages by cell tileset id (cells hold 1 to 127), rebuilt
// for a page whenever its record, pixels or palette are not the ones it
// was built from. The generation grows with every change, so composed
// layers know to start over.
class PageCache {
 public:
  void sync(const TilesetRegistry& registry);
  const PageRgba* find(int id) const {
    return id >= 0 && id < static_cast<int>(pages_.size()) ? pages_[static_cast<std::size_t>(id)].get() : nullptr;
  }
  std::uint64_t generation() const { return generation_; }

 private:
  struct Source {
    std::uint64_t serial = 0;  // the tileset's: an address can come again
    std::size_t size = 0;
    std::array<std::uint8_t, 768> palette{};
  };
  std::array<std::unique_ptr<PageRgba>, 128> pages_;
  std::array<Source, 128> sources_;
  std::uint64_t generation_ = 1;
};

std::uint32_t packRgba(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);

}  // namespace qarto
