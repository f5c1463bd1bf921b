#pragma once

namespace qarto {

class BudgetCounts;
struct MapPass;

// Over every shown tile layer: the cells whose tile (magenta) or, failing
// that, palette (cyan) no other cell of the map uses, so the strokes that
// cost budget stand out.
void drawUsedOnceTint(const MapPass& pass, const BudgetCounts& counts);

// A red frame on each cell a refusal pointed at (the engine's marked cells).
void drawMarkedCells(const MapPass& pass);

}  // namespace qarto
