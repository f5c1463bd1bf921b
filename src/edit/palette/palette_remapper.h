#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qarto {

class EditorSession;
struct Tileset;

inline constexpr int kPaletteRows = 16;
inline constexpr int kRowColours = 16;  // colour 0 of each row is transparent
inline constexpr const char* kPaletteRemapperSuffix = " - Palette Remapper";

// The Palette Remapper: rearranges the 16 palette rows of one tile page.
// Every change rewrites the page's pixels and palette and the palette row of
// every map cell that shows the page, so the picture, the map and the export
// stay as they were; each is one undo step and marks the map modified.
//
// - Move: row `from` goes to position `to`; the rows between close up.
// - Merge: the pixels of row `from` take the matching colours of row `into`;
//   colours of `from` that `into` lacks go into entries of `into` no pixel
//   uses. Refused with a message when the two rows' colours (those the
//   page's pixels use, transparent colour 0 aside, equal colours counted
//   once) do not fit in 15 entries. Row `from` is then used by no pixel.

// Bit c of entry r is set when a pixel of the page has colour c of row r.
std::array<std::uint16_t, kPaletteRows> usedColours(const Tileset& page);

// The page's pixels, palette and map cells for a move; false (nothing
// changed) when the page is not a normal page or a row is out of range.
bool movePaletteRow(EditorSession& session, int tilesetId, int from, int to);
// False, after saying why when the colours do not fit, when nothing changed.
bool mergePaletteRows(EditorSession& session, int tilesetId, int from, int into);

}  // namespace qarto
