#include "export/picture/picture_tiles.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "export/reduction/colour_conversion.h"

namespace qarto {

namespace {

constexpr int kHalfAlpha = 128;

std::string_view tileBytes(const ColourTile& tile) {
  return {reinterpret_cast<const char*>(tile.data()), sizeof(ColourTile)};
}

}  // namespace

ColourPicture roundPicture(const DisplayImage& picture, std::optional<PictureColour> backdrop) {
  ColourPicture out;
  out.width = picture.width;
  out.height = picture.height;
  const std::size_t count = std::size_t(std::max(0, picture.width)) * std::size_t(std::max(0, picture.height));
  if (picture.rgba.size() < count * 4) return {};
  out.pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = picture.rgba.data() + i * 4;
    const PictureColour colour = ConvertColour(p[0], p[1], p[2], 0, 0);
    out.pixels[i] = (p[3] < kHalfAlpha || colour == backdrop) ? kClearColour : colour;
  }
  return out;
}

ColourTile flipTile(const ColourTile& tile, int flip) {
  ColourTile out;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const int sx = (flip & 1) != 0 ? 7 - x : x;
      const int sy = (flip & 2) != 0 ? 7 - y : y;
      out[y * 8 + x] = tile[sy * 8 + sx];
    }
  }
  return out;
}

TileCut cutTiles(const ColourPicture& picture, bool mergeFlips) {
  TileCut cut;
  cut.cellsWide = picture.width / 8;
  cut.cellsHigh = picture.height / 8;
  cut.cells.reserve(std::size_t(cut.cellsWide) * cut.cellsHigh);
  // Keys view the tiles' own bytes, so the list is reserved up front and never moves.
  cut.tiles.reserve(cut.cells.capacity());
  std::unordered_map<std::string_view, int> known;
  for (int cy = 0; cy < cut.cellsHigh; ++cy) {
    for (int cx = 0; cx < cut.cellsWide; ++cx) {
      ColourTile tile;
      for (int y = 0; y < 8; ++y) {
        const PictureColour* row = picture.pixels.data() + std::size_t(cy * 8 + y) * picture.width + cx * 8;
        std::copy(row, row + 8, tile.begin() + y * 8);
      }
      TileUse use{-1, 0};
      for (int flip = 0; mergeFlips && flip < 4 && use.tile < 0; ++flip) {
        const ColourTile flipped = flip == 0 ? tile : flipTile(tile, flip);
        if (const auto found = known.find(tileBytes(flipped)); found != known.end()) use = {found->second, flip};
      }
      if (use.tile < 0) {
        use.tile = static_cast<int>(cut.tiles.size());
        cut.tiles.push_back(tile);
        cut.firstCell.push_back(static_cast<int>(cut.cells.size()));
        if (mergeFlips) known.emplace(tileBytes(cut.tiles.back()), use.tile);
      }
      cut.cells.push_back(use);
    }
  }
  return cut;
}

std::vector<PictureColour> tileColours(const ColourTile& tile) {
  std::vector<PictureColour> colours;
  for (const PictureColour c : tile) {
    if (c != kClearColour) colours.push_back(c);
  }
  std::sort(colours.begin(), colours.end());
  colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
  return colours;
}

}  // namespace qarto
