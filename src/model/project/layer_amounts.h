#pragma once

#include <limits>
#include <string>
#include <string_view>

namespace qarto {

enum class SizeUnit : int;

// The sizing and limits the New Map Wizard and the Add Layer dialog apply to
// the amounts typed into their edits (read with parseDecimalText,
// model/settings/number_text.h). Text that is no number goes in as NaN
// (kNotANumber), which both checks refuse with the messages the user
// already knows: the parallax message for the Parallax unit, the size
// message for the others.
inline constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
// The amount of an edit, NaN when its text is no number.
double amountOrNaN(std::string_view text);

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
