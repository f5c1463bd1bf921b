#include "export/budget/budget_figures.h"

#include "export/budget/budget_counts.h"
#include "export/reduction/export_reduction.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

constexpr int kPlayerFirstScreenBlock = 28;
constexpr int kPlayerLayers = 4;
constexpr int kGroup2FirstSlot = 16;

}  // namespace

long long BudgetFigures::romBytes() const {
  long long bytes = static_cast<long long>(palettes) * 32 + static_cast<long long>(tiles[0] + tiles[1]) * 32;
  for (const LayerBudget& layer : layers) bytes += layer.romBytes;
  return bytes;
}

std::vector<std::string> BudgetFigures::overruns() const {
  std::vector<std::string> lines;
  if (tiles[0] > tileLimit(0)) {
    lines.push_back("Group1 has " + std::to_string(tiles[0]) + " unique tiles; a tile number reaches 1024.");
  }
  if (tiles[1] > tileLimit(1)) {
    lines.push_back("Group2 has " + std::to_string(tiles[1]) +
                    " unique tiles; the map player keeps 768 beside its screen blocks.");
  }
  if (palettes > 16) {
    lines.push_back(std::to_string(palettes) + " unique palettes; the GBA holds 16 banks.");
  }
  if (layers.size() > static_cast<std::size_t>(kPlayerLayers)) {
    lines.push_back(std::to_string(layers.size()) + " tile layers; the GBA shows at most four backgrounds.");
  }
  if (unregisteredCells > 0) {
    lines.push_back(std::to_string(unregisteredCells) + " cells name a tile page that is not loaded.");
  }
  return lines;
}

BudgetFigures budgetFigures(const MapProject& project, const BudgetCounts& counts) {
  BudgetFigures figures;
  figures.unoptimized = project.unoptimizedMode;
  figures.unregisteredCells = counts.unregisteredCells();
  for (const auto& layer : project.layers()) {
    if (!isTileLayerKind(layer->kind)) continue;
    LayerBudget budget;
    budget.name = layer->nameText();
    budget.width = layer->width;
    budget.height = layer->height;
    budget.group = tileGroupOf(*layer);
    budget.screenBlocks = ((layer->width + 31) / 32) * ((layer->height + 31) / 32);
    budget.streamed = layer->width > 32 || layer->height > 32;
    const int position = static_cast<int>(figures.layers.size());
    budget.playerBlock = position < kPlayerLayers ? kPlayerFirstScreenBlock + position : -1;
    budget.romBytes = static_cast<long long>(layer->cells.size()) * 2;
    figures.usesGroup2 = figures.usesGroup2 || budget.group == 1;
    figures.layers.push_back(std::move(budget));
  }
  figures.tiles = {counts.uniqueTiles(0), counts.uniqueTiles(1)};
  if (!project.unoptimizedMode) {
    figures.palettes = counts.uniquePalettes();
    figures.paletteKeys = counts.palettesInUse();
    return figures;
  }
  // Un-optimized: the 16 rows of the bottom layer's first cell's page.
  const auto& layers = project.layers();
  if (!layers.empty() && !layers.front()->cells.empty()) {
    const int id = layers.front()->cells.front().tileset;
    if (project.registry().find(id) != nullptr) {
      figures.palettes = 16;
      for (int row = 0; row < 16; ++row) figures.paletteKeys.push_back(paletteKey(id, row));
    }
  }
  return figures;
}

std::array<VramUse, kVramSlots> vramLayout(const BudgetFigures& figures) {
  std::array<VramUse, kVramSlots> slots{};
  auto fill = [&](int first, int end, int bytes, VramUse use) {
    const int used = (bytes + kScreenBlockBytes - 1) / kScreenBlockBytes;
    for (int slot = first; slot < first + used && slot < kVramSlots; ++slot) {
      slots[static_cast<std::size_t>(slot)] = slot < end ? use : VramUse::Overflow;
    }
  };
  fill(0, kGroup2FirstSlot, figures.tiles[0] * kTileBytes4bpp, VramUse::Group1Tiles);
  fill(kGroup2FirstSlot, kPlayerFirstScreenBlock, figures.tiles[1] * kTileBytes4bpp, VramUse::Group2Tiles);
  for (const LayerBudget& layer : figures.layers) {
    if (layer.playerBlock >= 0) slots[static_cast<std::size_t>(layer.playerBlock)] = VramUse::ScreenBlock;
  }
  return slots;
}

std::vector<BudgetLine> budgetLines(const BudgetFigures& figures) {
  std::vector<BudgetLine> lines;
  for (int group = 0; group < (figures.usesGroup2 ? 2 : 1); ++group) {
    const int tiles = figures.tiles[static_cast<std::size_t>(group)];
    lines.push_back({"Group" + std::to_string(group + 1) + " tiles: " + std::to_string(tiles) + " of " +
                         std::to_string(figures.tileLimit(group)) + ", " + std::to_string(figures.charBlocks(group)) +
                         " char blocks",
                     tiles > figures.tileLimit(group)});
  }
  lines.push_back({"Palettes: " + std::to_string(figures.palettes) + " of 16", figures.palettes > 16});
  for (const LayerBudget& layer : figures.layers) {
    lines.push_back({"Layer " + layer.name + ": " + std::to_string(layer.width) + " x " +
                         std::to_string(layer.height) + " cells, " + std::to_string(layer.screenBlocks) +
                         " screen blocks, " + (layer.streamed ? "streamed" : "whole"),
                     layer.playerBlock < 0});
  }
  lines.push_back({"ROM bytes: " + std::to_string(figures.romBytes()), false});
  for (std::string& reason : figures.overruns()) lines.push_back({std::move(reason), true});
  return lines;
}

std::string budgetReportText(const BudgetFigures& figures) {
  std::string text;
  for (const BudgetLine& line : budgetLines(figures)) text += line.text + "\n";
  return text;
}

}  // namespace qarto
