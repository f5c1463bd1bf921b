#pragma once

namespace qarto {

struct DrawStats;
struct MapLayer;
struct Tileset;
class HiddenCells;
class TilesetRegistry;
struct LayerView;

// Texture coordinates of a tile of a page: its column and row in the
// page's grid times the tile's texture size; a flip swaps the pair.
struct TileCoords {
  float u0 = 0;
  float v0 = 0;
  float u1 = 0;
  float v1 = 0;
};
// False for a tile outside the page (nothing is drawn for it).
bool tileCoords(const Tileset& page, int tile, bool hflip, bool vflip, TileCoords& out);

// The cell-by-cell path: one textured quad per visible cell, the page bound
// once per run of cells of the same tileset. Cells hidden by the preview,
// of unregistered pages or with tiles outside their page are skipped. Uses
// the current colour and blending.
void drawLayerCells(const MapLayer& layer, const LayerView& view, const TilesetRegistry& registry,
                    const HiddenCells& hidden, DrawStats& stats);

}  // namespace qarto
