#pragma once

#include <string>
#include <string_view>

namespace qarto {

enum class SizeUnit : int;

// The amounts the New Map Wizard and the Add Layer dialog read from their
// edits, and the sizing and limits both apply to them. Both dialogs go
// through these so that a typed "nan", "inf" or a number too large for any
// layer is refused the same way, with the messages the user already knows.

// An edit read as a decimal number: leading blanks, an optional sign, digits
// with an optional fraction and exponent, or "inf" / "nan"; whatever follows
// is ignored and text without a number reads as 0. "." is the decimal point
// whatever the locale. A number too large for a double reads as infinity
// (with its sign), one too small as 0.
double parseAmount(std::string_view text);

// An edit read as an integer from its leading digits (after blanks and an
// optional sign): "256px" is 256, "abc" 0. A value beyond the int range is
// held at its end, so that the size checks refuse it.
int parseLeadingInteger(std::string_view text);

// One axis of a layer: its extent in tiles and its parallax factor.
struct AxisSize {
  int extent = 0;
  double parallax = 1.0;
};

// Per unit: Parallax gives screenTiles + ceil(amount x (primaryExtent -
// screenTiles)) with the amount as the factor; Tiles, Screens (x
// screenTiles) and Pixels (x 0.125) truncate toward zero and give factor
// 1.0. An amount that is not a number, infinite or too large for a layer
// gives extent -1, which the size check refuses.
AxisSize layerAxisSize(double amount, SizeUnit unit, int primaryExtent, int screenTiles);

// 0.0 to 2.0 inclusive; false for NaN.
bool parallaxInRange(double parallax);
// Width screenTilesX..1024, height screenTilesY..1024.
bool layerExtentsInRange(int width, int height, int screenTilesX, int screenTilesY);
// The screen in tiles (pixels / 8), at least one tile.
int screenTiles(int screenPixels);

// "Map sizes must be no smaller than (30,20) tiles and no larger than
// (1024,1024) tiles.\n\nPlease choose a valid size." (always these numbers).
std::string layerSizeMessage();

// "%0.2f" of a value, whatever the locale; "nan" and "inf" as printf writes them.
std::string formatTwoDecimals(double value);

}  // namespace qarto
