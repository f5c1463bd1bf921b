#pragma once

#include <functional>
#include <string>
#include <vector>

#include "export/reduction/export_reduction.h"

namespace qarto {

class TilesetRegistry;

struct CellAtFault {
  const MapLayer* layer = nullptr;
  int x = 0;
  int y = 0;
};

// The cells of the tile layers (bottom first, row by row) that a refusal is
// about: the first ones kept, all of them counted.
struct CellsAtFault {
  std::vector<CellAtFault> cells;  // at most kKeptCellsAtFault
  long long total = 0;
};

inline constexpr std::size_t kKeptCellsAtFault = 4096;
inline constexpr std::size_t kNamedCellsAtFault = 5;

using CellTest = std::function<bool(const MapLayer& layer, const MapCell& cell)>;
CellsAtFault findCellsAtFault(const LayerStack& layers, const CellTest& test);

// Cells whose palette is numbered 16 - bankOffset or above; cells of
// Group1 whose tile is numbered 1024 - tileOffset or above; cells whose tile
// page is not registered.
CellsAtFault paletteOverflowCells(const LayerStack& layers, const ExportReduction& reduction, int bankOffset);
CellsAtFault tileOverflowCells(const LayerStack& layers, const ExportReduction& reduction, int tileOffset);
CellsAtFault unregisteredPageCells(const LayerStack& layers, const TilesetRegistry& registry);

// "\n\nCells at fault:\nlayer NAME, cell (x, y)" for the first five, then
// "\nand N more"; empty when there are none.
std::string cellsAtFaultText(const CellsAtFault& found);

}  // namespace qarto
