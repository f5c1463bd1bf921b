#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "edit/view/view_geometry.h"

namespace qarto {

struct Tileset;
class TilesetRegistry;

inline constexpr int kBrushCapacity = 1024;
// Cells keep the tile number in a signed 16-bit field.
inline constexpr int kMaxCellTile = 32767;

// One tile of a brush, at the position it had where it was picked (its
// tile-page column and row, or its map cell).
struct BrushPlacement {
  int x = 0;
  int y = 0;
  std::int16_t tile = 0;
  std::int32_t tilesetId = 0;
  std::int16_t palette = 0;  // 0 to 15
  bool hflip = false;
  bool vflip = false;
  // Whether the tile came from the collision tileset. Kept with the
  // placement so that the counts stay right after its page is removed.
  bool collisionTile = false;
};

// The rectangle of the placements' positions.
struct BrushBounds {
  int minX = 0;
  int minY = 0;
  int maxX = 0;
  int maxY = 0;

  int width() const { return maxX - minX + 1; }
  int height() const { return maxY - minY + 1; }
};

// The set of tile placements the paint tools write: up to 1024, no two at
// the same position, unordered. The origin is the truncated mean of the
// positions; painting puts the origin on the cursor cell.
class Brush {
 public:
  Brush() { clear(); }

  int count() const { return count_; }
  bool empty() const { return count_ == 0; }
  int normalTiles() const { return normalTiles_; }
  int collisionTiles() const { return collisionTiles_; }
  std::span<const BrushPlacement> placements() const { return {placements_.data(), static_cast<std::size_t>(count_)}; }
  const BrushPlacement& placement(int index) const { return placements_[static_cast<std::size_t>(index)]; }
  // After its page's palette rows were rearranged.
  void setPlacementPalette(int index, std::int16_t palette) { placements_[static_cast<std::size_t>(index)].palette = palette; }
  CellPoint origin() const { return origin_; }
  const BrushBounds& bounds() const { return bounds_; }

  // Adds a tile of `page` at (x, y); its palette row comes from the tile's
  // top-left pixel. Refused (false) when the brush is full, the position is
  // taken, or the tile number or page id could not be stored in a cell.
  bool add(const Tileset& page, int x, int y, int tile, bool hflip, bool vflip);
  // The tile at column, row of the page, placed at that column and row.
  bool addFromPage(const Tileset& page, int column, int row);

  // Removes the placement at (x, y); false when there is none. Removing many
  // in a row may skip the recomputation and call recompute() once.
  bool remove(int x, int y, bool recomputeAfter = true);
  // The index of the placement at (x, y), or -1.
  int find(int x, int y) const;

  void recompute();
  // Removes every placement whose tile is empty on its (registered) page.
  void trim(const TilesetRegistry& registry);
  void clear();

 private:
  static constexpr int kIndexSize = 2048;  // twice the capacity: short probe runs

  static int hashOf(int x, int y);
  int slotOf(int x, int y) const;  // the index slot holding (x, y), or -1
  void indexInsert(int placementIndex);
  void indexErase(int slot);

  int count_ = 0;
  int normalTiles_ = 0;
  int collisionTiles_ = 0;
  std::array<BrushPlacement, kBrushCapacity> placements_{};
  CellPoint origin_;
  BrushBounds bounds_;
  // Open-addressed index from position to placement, so that picking and
  // removing over large rectangles stays fast.
  std::array<std::int16_t, kIndexSize> index_{};
};

// True when the tile counts as empty for trimming and filling: its page has
// no width, the tile number is outside the page, or all 64 pixels are 0.
bool isEmptyTile(const Tileset& page, int tile);

}  // namespace qarto
