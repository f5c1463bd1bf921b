#include "export/budget/cells_at_fault.h"

#include "export/reduction/array_values.h"
#include "model/project/layer_kind.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

CellsAtFault findCellsAtFault(const LayerStack& layers, const CellTest& test) {
  CellsAtFault found;
  for (const auto& layer : layers) {
    if (!isTileLayerKind(layer->kind) || layer->width == 0) continue;
    for (std::size_t n = 0; n < layer->cells.size(); ++n) {
      if (!test(*layer, layer->cells[n])) continue;
      if (found.cells.size() < kKeptCellsAtFault) {
        found.cells.push_back({layer.get(), static_cast<int>(n % layer->width), static_cast<int>(n / layer->width)});
      }
      ++found.total;
    }
  }
  return found;
}

CellsAtFault paletteOverflowCells(const LayerStack& layers, const ExportReduction& reduction, int bankOffset) {
  return findCellsAtFault(layers, [&](const MapLayer&, const MapCell& cell) {
    const auto it = reduction.paletteIndex.find(paletteKey(cell.tileset, cell.palette));
    return it != reduction.paletteIndex.end() && it->second + static_cast<long long>(bankOffset) >= kMaxExportPalettes;
  });
}

CellsAtFault tileOverflowCells(const LayerStack& layers, const ExportReduction& reduction, int tileOffset) {
  const auto& index = reduction.tileIndex[0];
  return findCellsAtFault(layers, [&](const MapLayer& layer, const MapCell& cell) {
    if (tileGroupOf(layer) != 0) return false;
    const auto it = index.find(tileKey(cell.tileset, cell.tile));
    return it != index.end() && it->second + static_cast<long long>(tileOffset) >= kMaxExportTiles;
  });
}

CellsAtFault unregisteredPageCells(const LayerStack& layers, const TilesetRegistry& registry) {
  const std::vector<bool> registered = registeredPages(registry);
  return findCellsAtFault(layers, [&](const MapLayer&, const MapCell& cell) {
    return !registered[static_cast<std::size_t>(cell.tileset + 128)];
  });
}

std::string cellsAtFaultText(const CellsAtFault& found) {
  if (found.total == 0) return {};
  std::string text = "\n\nCells at fault:";
  for (std::size_t n = 0; n < found.cells.size() && n < kNamedCellsAtFault; ++n) {
    const CellAtFault& cell = found.cells[n];
    text += "\nlayer " + cell.layer->nameText() + ", cell (" + std::to_string(cell.x) + ", " +
            std::to_string(cell.y) + ")";
  }
  if (found.total > static_cast<long long>(kNamedCellsAtFault)) {
    text += "\nand " + std::to_string(found.total - static_cast<long long>(kNamedCellsAtFault)) + " more";
  }
  return text;
}

}  // namespace qarto
