#pragma once

#include <QIcon>
#include <span>

namespace qarto {

// The toolbar's pictures, drawn here in code, 32 x 31 pixels each, for the
// command ids of the toolbar. Qt greys the disabled state itself; the hot
// state (under the mouse) is drawn on a lighter ground.
QIcon toolbarIcon(int commandId);

// The command ids of the toolbar, left to right; 0 marks a separator.
std::span<const int> toolbarLayout();

}  // namespace qarto
