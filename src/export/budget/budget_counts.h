#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/project/map_cell.h"

namespace qarto {

class TilesetRegistry;
struct Tileset;

// What of a cell the budget looks at: its tile page, tile number and palette
// row, packed into one word so that a layer's cells compare cheaply.
using BudgetKey = std::uint32_t;
inline BudgetKey budgetKey(const MapCell& cell) {
  return static_cast<BudgetKey>(static_cast<std::uint8_t>(cell.tileset)) << 20 |
         static_cast<BudgetKey>(cell.palette & 15) << 16 | static_cast<std::uint16_t>(cell.tile);
}

// Reference counts of the tiles and palettes a map's cells use, kept by
// adding and taking away cells one at a time. Tiles are counted by the
// smallest of their four flipped forms and palettes by colours 1 to 15, so
// the number of forms in use equals the export's unique tiles and the
// number of colour rows in use its unique palettes.
class BudgetCounts {
 public:
  // Forgets every count; the pages are those of `registry` from now on.
  void reset(const TilesetRegistry& registry);
  // One cell of a tile layer in `group` (0 or 1) more (delta 1) or less (-1).
  void count(BudgetKey key, int group, int delta);

  int uniqueTiles(int group) const { return inUseForms_[static_cast<std::size_t>(group & 1)]; }
  int uniquePalettes() const { return inUseColours_; }
  // Cells whose tile page is not registered.
  int unregisteredCells() const { return unregistered_; }
  // How many cells use the cell's tile (any flip) in its group, and its
  // palette colours; 0 for a cell of an unregistered page.
  int tileUses(BudgetKey key, int group) const;
  int paletteUses(BudgetKey key) const;
  // One palette key (page id * 16 + row) per palette in use, for showing colours.
  std::vector<int> palettesInUse() const;

 private:
  using Form = std::array<std::uint32_t, 8>;
  using Colours = std::array<std::uint8_t, 45>;
  template <typename T>
  struct BytesHash {
    std::size_t operator()(const T& value) const;
  };

  int formOf(BudgetKey key);
  int coloursOf(BudgetKey key);
  int knownForm(BudgetKey key) const;

  std::array<const Tileset*, 256> pages_{};  // by the id's byte
  // Per page byte, per tile number: the form's id + 1 (0 before it is needed).
  std::vector<std::vector<std::int32_t>> formIds_;
  std::unordered_map<Form, int, BytesHash<Form>> forms_;
  std::array<std::vector<int>, 2> formUses_;
  std::array<int, 2> inUseForms_{};
  std::array<int, 256 * 16> colourIds_{};  // id + 1, by page byte * 16 + row
  std::unordered_map<Colours, int, BytesHash<Colours>> colours_;
  std::vector<int> colourUses_;
  std::vector<int> colourKey_;  // a palette key per colour id
  int inUseColours_ = 0;
  int unregistered_ = 0;
};

}  // namespace qarto
