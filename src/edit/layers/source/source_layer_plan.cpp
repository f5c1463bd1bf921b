#include "edit/layers/source/source_layer_plan.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "model/project/map_project.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

constexpr int kTileBytes = 32;  // 8 x 8 pixels at 4 bits

template <typename... Args>
std::string format(const char* text, Args... args) {
  const int size = std::snprintf(nullptr, 0, text, args...);
  std::string result(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  std::snprintf(result.data(), result.size() + 1, text, args...);
  return result;
}

std::vector<std::uint16_t> halfWords(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint16_t> words(bytes.size() / 2);
  for (std::size_t i = 0; i < words.size(); ++i) {
    words[i] = static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  }
  return words;
}

std::uint8_t widen(int channel5) { return static_cast<std::uint8_t>(channel5 << 3 | channel5 >> 2); }

// The first limit the three arrays and the width break, or "".
std::string arrayLimits(const SourceLayerArrays& a, std::size_t paletteBytes, std::size_t tileBytes, long long entries,
                        const LayerSizeRule& rule) {
  const char* palette = a.palette.name.c_str();
  const char* tiles = a.tiles.name.c_str();
  const char* map = a.map.name.c_str();
  if (paletteBytes % 2 != 0) {
    return format("The palette array \"%s\" holds %zu bytes, not a whole number of 16-bit colours.", palette,
                  paletteBytes);
  }
  if (paletteBytes == 0) return format("The palette array \"%s\" holds no colours.", palette);
  if (paletteBytes / 2 > kMaxImportedColours) {
    return format("The palette array \"%s\" holds %zu colours; a palette holds at most %d.", palette, paletteBytes / 2,
                  kMaxImportedColours);
  }
  if (tileBytes % kTileBytes != 0) {
    return format("The tile array \"%s\" holds %zu bytes, not a whole number of 4bpp tiles of %d bytes.", tiles,
                  tileBytes, kTileBytes);
  }
  if (tileBytes == 0) return format("The tile array \"%s\" holds no tiles.", tiles);
  if (tileBytes / kTileBytes > kMaxImportedTiles) {
    return format("The tile array \"%s\" holds %zu tiles; a GBA background uses at most %d.", tiles,
                  tileBytes / kTileBytes, kMaxImportedTiles);
  }
  if (entries < 0) {
    return format("The map array \"%s\" holds %zu bytes, not a whole number of 16-bit screen entries.", map,
                  a.map.bytes().size());
  }
  if (entries == 0) return format("The map array \"%s\" holds no screen entries.", map);
  if (a.width < 1) return "The map width must be at least 1.";
  if (a.width > entries) {
    return format("The map width %d is larger than the map array \"%s\", which holds %lld screen entries.", a.width,
                  map, entries);
  }
  if (entries % a.width != 0) {
    return format("The %lld screen entries of \"%s\" do not make whole rows of %d.", entries, map, a.width);
  }
  const long long height = entries / a.width;
  if (a.width < rule.minWidth || a.width > kMaxLayerTiles || height < rule.minHeight || height > kMaxLayerTiles) {
    return format(
        "The layer would be %d x %lld tiles.  Map sizes must be no smaller than (%i,%i) tiles and no "
        "larger than (%i,%i) tiles.",
        a.width, height, rule.minWidth, rule.minHeight, kMaxLayerTiles, kMaxLayerTiles);
  }
  return {};
}

}  // namespace

long long screenEntryCount(const SourceArray& map) {
  const long long bytes = static_cast<long long>(map.values.size()) * map.elementBytes;
  return bytes % 2 == 0 ? bytes / 2 : -1;
}

bool planSourceLayer(const SourceLayerArrays& arrays, const LayerSizeRule& rule, SourceLayerPlan& plan,
                     std::string& message) {
  const std::vector<std::uint8_t> paletteBytes = arrays.palette.bytes();
  const std::vector<std::uint8_t> tileBytes = arrays.tiles.bytes();
  const long long entryCount = screenEntryCount(arrays.map);
  message = arrayLimits(arrays, paletteBytes.size(), tileBytes.size(), entryCount, rule);
  if (!message.empty()) return false;

  const std::vector<std::uint16_t> colours = halfWords(paletteBytes);
  const std::vector<std::uint16_t> entries = halfWords(arrays.map.bytes());
  const int tileCount = static_cast<int>(tileBytes.size() / kTileBytes);
  const int rowCount = static_cast<int>((colours.size() + 15) / 16);

  // Page tile of every (tile, row) the map uses; each tile's first row keeps
  // the tile's own number.
  std::vector<int> firstRow(static_cast<std::size_t>(tileCount), -1);
  std::vector<int> copies(static_cast<std::size_t>(tileCount) * 16, -1);
  std::vector<std::pair<int, int>> pageTiles;  // tile, row
  for (int t = 0; t < tileCount; ++t) pageTiles.emplace_back(t, 0);
  std::vector<MapCell> cells(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int tile = entries[i] & 0x3FF;
    const int row = entries[i] >> 12;
    const int x = static_cast<int>(i % static_cast<std::size_t>(arrays.width));
    const int y = static_cast<int>(i / static_cast<std::size_t>(arrays.width));
    if (tile >= tileCount) {
      message = format(
          "Screen entry %zu of \"%s\" (cell %d, %d) names tile %d, but the tile array \"%s\" holds %d "
          "tiles.",
          i, arrays.map.name.c_str(), x, y, tile, arrays.tiles.name.c_str(), tileCount);
      return false;
    }
    if (row >= rowCount) {
      message = format(
          "Screen entry %zu of \"%s\" (cell %d, %d) uses palette row %d, but the palette array \"%s\" "
          "holds %zu colours, enough for rows 0 to %d.",
          i, arrays.map.name.c_str(), x, y, row, arrays.palette.name.c_str(), colours.size(), rowCount - 1);
      return false;
    }
    int& first = firstRow[static_cast<std::size_t>(tile)];
    if (first < 0) {
      first = row;
      pageTiles[static_cast<std::size_t>(tile)].second = row;
    }
    int& copy = copies[static_cast<std::size_t>(tile) * 16 + static_cast<std::size_t>(row)];
    if (row == first) copy = tile;
    if (copy < 0) {
      copy = static_cast<int>(pageTiles.size());
      pageTiles.emplace_back(tile, row);
    }
    MapCell& cell = cells[i];
    cell.tile = static_cast<std::int16_t>(copy);
    cell.palette = static_cast<std::uint8_t>(row);
    cell.flags =
        static_cast<std::uint8_t>((entries[i] >> 10 & 1 ? kCellHFlip : 0) | (entries[i] >> 11 & 1 ? kCellVFlip : 0));
  }

  IndexedImage page;
  const int across = std::min<int>(static_cast<int>(pageTiles.size()), kImportedPageTilesPerRow);
  const int down = (static_cast<int>(pageTiles.size()) + across - 1) / across;
  page.imageWidth = across * kTileSide;
  page.imageHeight = down * kTileSide;
  page.pixels.assign(static_cast<std::size_t>(page.imageWidth) * static_cast<std::size_t>(page.imageHeight), 0);
  for (std::size_t p = 0; p < pageTiles.size(); ++p) {
    const auto [tile, row] = pageTiles[p];
    const std::size_t origin = tilePixelOffset(page, static_cast<int>(p));
    for (int y = 0; y < kTileSide; ++y) {
      for (int x = 0; x < kTileSide; ++x) {
        const std::uint8_t pair = tileBytes[static_cast<std::size_t>(tile * kTileBytes + y * 4 + x / 2)];
        const int colour = x % 2 == 0 ? pair & 15 : pair >> 4;
        page.pixels[origin + static_cast<std::size_t>(y * page.imageWidth + x)] =
            static_cast<std::uint8_t>(row * 16 + colour);
      }
    }
  }
  for (std::size_t i = 0; i < colours.size(); ++i) {
    page.palette[i * 3] = widen(colours[i] & 31);
    page.palette[i * 3 + 1] = widen(colours[i] >> 5 & 31);
    page.palette[i * 3 + 2] = widen(colours[i] >> 10 & 31);
  }

  plan.page = std::move(page);
  plan.width = arrays.width;
  plan.height = static_cast<int>(entries.size()) / arrays.width;
  plan.cells = std::move(cells);
  return true;
}

}  // namespace qarto
