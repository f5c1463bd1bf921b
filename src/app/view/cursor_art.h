#pragma once

#include <QCursor>

#include "edit/view/input_event.h"

namespace qarto {

// The pointer the map view shows for what the engine asks. The tool
// pointers are drawn here in code; Default, Arrow and Hand are the window
// system's own.
QCursor viewCursor(CursorKind kind);

// The pointer over a layer bar entry's ground: "click to make active".
QCursor layerEntryCursor();

}  // namespace qarto
