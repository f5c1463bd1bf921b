#include "export/picture/picture_page.h"

#include <algorithm>

#include "export/picture/colour_merging.h"
#include "model/project/map_cell.h"

namespace qarto {

namespace {

constexpr int kPageTilesPerRow = 16;
constexpr int kCellsNamed = 5;
// Thresholds "Reduce colours" tries, in 5-bit channel steps.
constexpr int kMergeSteps[] = {1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20, 24, 31};

std::uint8_t widen(int channel5) { return static_cast<std::uint8_t>(channel5 << 3 | channel5 >> 2); }

void storeColour(IndexedImage& page, int entry, PictureColour colour) {
  page.palette[entry * 3 + 0] = widen(colour & 31);
  page.palette[entry * 3 + 1] = widen((colour >> 5) & 31);
  page.palette[entry * 3 + 2] = widen((colour >> 10) & 31);
}

enum class Fault { None, Tiles, TileColours, Banks };

struct Attempt {
  Fault fault = Fault::None;
  std::string message;
};

std::string plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Lays the tiles out on the page in the packing's banks, banks numbered in
// the order the cells first use them.
void buildPage(const TileCut& cut, const Packing& packing, const PictureOptions& options, PicturePage& out) {
  std::vector<int> rowOfBank(packing.banks.size(), -1);
  int rows = 0;
  for (const TileUse& use : cut.cells) {
    int& row = rowOfBank[packing.bankOfSet[use.tile]];
    if (row < 0) row = rows++;
  }
  for (int& row : rowOfBank) {
    if (row < 0) row = rows++;
  }
  IndexedImage& page = out.page;
  for (std::size_t b = 0; b < packing.banks.size(); ++b) {
    if (options.backdrop) storeColour(page, rowOfBank[b] * 16, *options.backdrop);
    for (std::size_t s = 0; s < packing.banks[b].size(); ++s) {
      storeColour(page, rowOfBank[b] * 16 + 1 + static_cast<int>(s), packing.banks[b][s]);
    }
  }
  const int count = static_cast<int>(cut.tiles.size());
  const int perRow = options.mergeTiles ? std::min(kPageTilesPerRow, std::max(count, 1)) : cut.cellsWide;
  page.imageWidth = perRow * 8;
  page.imageHeight = options.mergeTiles ? (std::max(count, 1) + perRow - 1) / perRow * 8 : cut.cellsHigh * 8;
  page.pixels.assign(std::size_t(page.imageWidth) * page.imageHeight, 0);
  for (int t = 0; t < count; ++t) {
    const int bank = packing.bankOfSet[t];
    const std::vector<PictureColour>& colours = packing.banks[bank];
    const int row = rowOfBank[bank];
    for (int p = 0; p < 64; ++p) {
      const PictureColour c = cut.tiles[t][p];
      const int slot =
          c == kClearColour
              ? 0
              : 1 + static_cast<int>(std::lower_bound(colours.begin(), colours.end(), c) - colours.begin());
      const std::size_t x = std::size_t(t % perRow) * 8 + p % 8;
      const std::size_t y = std::size_t(t / perRow) * 8 + p / 8;
      page.pixels[y * page.imageWidth + x] = static_cast<std::uint8_t>(row * 16 + slot);
    }
    if (out.blankTile < 0 &&
        std::all_of(cut.tiles[t].begin(), cut.tiles[t].end(), [](PictureColour c) { return c == kClearColour; })) {
      out.blankTile = t;
      out.blankPalette = static_cast<std::uint8_t>(row);
    }
  }
  out.cellsWide = cut.cellsWide;
  out.cellsHigh = cut.cellsHigh;
  for (const TileUse& use : cut.cells) {
    const std::uint8_t flags = ((use.flip & 1) != 0 ? kCellHFlip : 0) | ((use.flip & 2) != 0 ? kCellVFlip : 0);
    out.cells.push_back({static_cast<std::int16_t>(use.tile),
                         static_cast<std::uint8_t>(rowOfBank[packing.bankOfSet[use.tile]]), flags});
  }
  out.tiles = count;
  out.banks = static_cast<int>(packing.banks.size());
  out.method = packing.method;
}

Attempt attempt(const ColourPicture& picture, const PictureOptions& options, const PackingLimits& limits,
                PicturePage& out) {
  TileCut cut = cutTiles(picture, options.mergeTiles);
  if (options.needBlankTile && std::none_of(cut.tiles.begin(), cut.tiles.end(), [](const ColourTile& t) {
        return std::all_of(t.begin(), t.end(), [](PictureColour c) { return c == kClearColour; });
      })) {
    ColourTile blank;
    blank.fill(kClearColour);
    cut.tiles.push_back(blank);
    cut.firstCell.push_back(-1);
  }
  const int cap = limits.coloursPerBank;
  if (options.mergeTiles && static_cast<int>(cut.tiles.size()) > options.maxTiles) {
    std::vector<int> cells;
    for (std::size_t t = options.maxTiles; t < cut.tiles.size() && cells.size() < kCellsNamed; ++t) {
      if (cut.firstCell[t] >= 0) cells.push_back(cut.firstCell[t]);
    }
    return {Fault::Tiles, "The picture has " + std::to_string(cut.tiles.size()) + " unique tiles; the GBA has " +
                              std::to_string(options.maxTiles) + ". The first tiles beyond that are at cells " +
                              cellListText(cells, cut.cellsWide) + "."};
  }
  std::vector<std::vector<PictureColour>> sets;
  std::vector<int> crowded;
  std::size_t crowdedCount = 0;
  for (std::size_t t = 0; t < cut.tiles.size(); ++t) {
    sets.push_back(tileColours(cut.tiles[t]));
    if (static_cast<int>(sets.back().size()) > cap) {
      ++crowdedCount;
      if (crowded.size() < kCellsNamed) crowded.push_back(cut.firstCell[t]);
    }
  }
  if (crowdedCount > 0) {
    return {Fault::TileColours, plural(crowdedCount, "tile has", "tiles have") + " more than " + std::to_string(cap) +
                                    " colours; a palette bank holds " + std::to_string(cap) +
                                    " besides colour 0. The first at cells " + cellListText(crowded, cut.cellsWide) +
                                    "."};
  }
  const Packing packing = packColourSets(sets, limits);
  if (!packing.fits) {
    std::vector<int> cells;
    for (const int s : packing.unplacedSets) {
      if (cells.size() < kCellsNamed && cut.firstCell[s] >= 0) cells.push_back(cut.firstCell[s]);
    }
    std::sort(cells.begin(), cells.end());
    return {Fault::Banks, "The picture needs " + std::to_string(packing.banksNeeded) + " palette banks; the GBA has " +
                              std::to_string(limits.banks) + ". Tiles that did not fit are at cells " +
                              cellListText(cells, cut.cellsWide) + "."};
  }
  out = PicturePage{};
  buildPage(cut, packing, options, out);
  return {};
}

}  // namespace

std::string cellListText(const std::vector<int>& cells, int cellsWide) {
  std::string text;
  for (const int cell : cells) {
    if (!text.empty()) text += ", ";
    text += "(" + std::to_string(cell % cellsWide) + ", " + std::to_string(cell / cellsWide) + ")";
  }
  return text;
}

bool reducePicture(const DisplayImage& picture, const PictureOptions& options, PicturePage& result,
                   std::string& message) {
  if (picture.width <= 0 || picture.height <= 0 || picture.width % 8 != 0 || picture.height % 8 != 0) {
    message = "The picture is " + std::to_string(picture.width) + "x" + std::to_string(picture.height) +
              " pixels; both sides must be multiples of 8, such as 64x48 or 128x128.";
    return false;
  }
  const ColourPicture rounded = roundPicture(picture, options.backdrop);
  const Attempt first = attempt(rounded, options, options.limits, result);
  if (first.fault == Fault::None) return true;
  if (!options.reduceColours) {
    message = first.message + "\n\nChoose \"Reduce colours\" to merge the closest colours until it fits.";
    return false;
  }
  // Each try merges from the picture as given, so the change never adds up.
  PackingLimits quick = options.limits;
  quick.moves /= 8;
  quick.seconds /= 8;
  for (const int distance : kMergeSteps) {
    ColourPicture merged = rounded;
    const ColourMergeResult change = mergeCloseColours(merged, distance);
    if (change.merged == 0) continue;
    if (attempt(merged, options, quick, result).fault == Fault::None) {
      result.coloursMerged = change.merged;
      result.largestColourChange = change.largestChange;
      return true;
    }
  }
  message = first.message + "\n\nEven with the closest colours merged it does not fit.";
  return false;
}

}  // namespace qarto
