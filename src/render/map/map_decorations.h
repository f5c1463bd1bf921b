#pragma once

namespace qarto {

struct MapLayer;
struct MapPass;

// The passes after the layers, and the rectangles drawn with the active
// layer. Texturing is off for all of them.

// The outline of every layer, 2 pixels, translucent red.
void drawLayerBounds(const MapPass& pass);
// The active layer's grid: a line on every cell edge, and with grid alpha
// the screen-block lines every 15 by 10 and (thick) every 30 by 20 cells.
void drawGrid(const MapPass& pass, const MapLayer& active);
// The box around the cell under the (paint-locked) cursor.
void drawCursorBox(const MapPass& pass, const MapLayer& active);
// The rectangle being dragged out from its start cell to the cursor cell.
void drawSelectionRectangle(const MapPass& pass, const MapLayer& active);
// The target screen: the bands around it darkened, a grey frame on it.
void drawFrameMask(const MapPass& pass);

}  // namespace qarto
