#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qarto {

class BudgetCounts;
class MapProject;

inline constexpr int kCharBlockBytes = 16384;
inline constexpr int kScreenBlockBytes = 2048;
inline constexpr int kTileBytes4bpp = 32;
inline constexpr int kVramSlots = 32;  // 64 KB in 2 KB screen-block slots

// One tile layer as the map player holds it: a 32 x 32 screen block per
// layer, the whole layer when it fits, otherwise the window the screen shows.
struct LayerBudget {
  std::string name;
  int width = 0;
  int height = 0;
  int group = 0;
  int screenBlocks = 0;  // ceil(width / 32) * ceil(height / 32): 2 KB each to hold it whole
  bool streamed = false;  // wider or taller than 32 cells
  int playerBlock = -1;   // 28 + its position among the tile layers; -1 beyond the fourth
  long long romBytes = 0;  // 2 per cell
};

// What the budget shows and `qarto-cli budget` prints, all from the counts.
struct BudgetFigures {
  bool unoptimized = false;
  bool usesGroup2 = false;
  std::array<int, 2> tiles{};  // unique tiles per tile group
  int palettes = 0;            // unique palettes (16 or 0 un-optimized)
  int unregisteredCells = 0;
  std::vector<int> paletteKeys;  // page id * 16 + row, one per palette shown
  std::vector<LayerBudget> layers;

  int tileLimit(int group) const { return group == 0 ? 1024 : 768; }
  int charBlocks(int group) const {
    return (tiles[static_cast<std::size_t>(group)] * kTileBytes4bpp + kCharBlockBytes - 1) / kCharBlockBytes;
  }
  // Palettes, tiles and screen entries as exported: 32 bytes a palette and
  // a tile, 2 a cell.
  long long romBytes() const;
  // One line per figure past its limit, saying why; empty when all fit.
  std::vector<std::string> overruns() const;
};

BudgetFigures budgetFigures(const MapProject& project, const BudgetCounts& counts);

// What each 2 KB slot of video memory holds under the map player's layout.
enum class VramUse : std::uint8_t { Free, Group1Tiles, Group2Tiles, ScreenBlock, Overflow };
std::array<VramUse, kVramSlots> vramLayout(const BudgetFigures& figures);

// The figures as the budget bar and the command line show them, one a
// line, then a line per overrun; `over` lines are shown in red.
struct BudgetLine {
  std::string text;
  bool over = false;
};
std::vector<BudgetLine> budgetLines(const BudgetFigures& figures);
std::string budgetReportText(const BudgetFigures& figures);

}  // namespace qarto
