#pragma once

#include <QIcon>

namespace qarto {

// The application's icon, drawn here in code: a stack of tile layers on a
// map grid. The installed SVG (data/qarto.svg) is the same picture.
QIcon applicationIcon();

}  // namespace qarto
