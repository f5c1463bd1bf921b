#pragma once

namespace qarto {

struct MapLayer;
struct Tileset;

// Fills a layer so that it shows the tile page as it is: cell (x, y) gets
// the page's tile y x (layer width) + x, the page's id, that tile's palette
// row and no flips or collision word. Cells whose tile number a cell could
// not hold (past 32767) or that lie beyond the page's tiles keep their
// content. Used by Import .BMP as Layer and by the Make .CLL wizard.
void fillLayerFromPage(MapLayer& layer, const Tileset& page);

}  // namespace qarto
