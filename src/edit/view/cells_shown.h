#pragma once

#include "export/budget/cells_at_fault.h"

namespace qarto {

struct EngineState;

// A refusal's "Show": the layer of the first cell becomes active, the map
// view scrolls so that cell lies in the middle of the window, and every
// listed cell is marked until the next Show (or the next map).
void showCellsAtFault(EngineState& state, const CellsAtFault& found);

}  // namespace qarto
