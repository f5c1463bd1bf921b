#pragma once

#include <QIcon>
#include <QPixmap>

namespace qarto {

// Every picture the dialogs show, drawn here with QPainter: nothing is
// loaded from image files.

// The program's window icon: a small map of tiles in a frame.
QIcon programIcon();

// The icons beside the width and height amounts of the New Map Wizard and
// Add Layer: a horizontal and a vertical span between two bars.
QPixmap widthSizeIcon();
QPixmap heightSizeIcon();

// The tab icons of Customize Export: a file page for the four data files,
// a row of sliders for the Miscellaneous page. 16 x 16.
QIcon exportFileTabIcon();
QIcon exportMiscTabIcon();

// The about box's picture: a parallax scene of tiles.
QPixmap aboutPicture();

// The Resize Layer anchor grid: an arrow pointing from the anchor at
// (0, 0) toward the cell at (dx, dy), each -1, 0 or 1, or the anchor mark
// itself for (0, 0).
QIcon anchorIcon(int dx, int dy);

}  // namespace qarto
