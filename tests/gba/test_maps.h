#pragma once

#include <cstdint>
#include <string>

#include "support/test_session.h"

namespace qarto::gba {

using test::TestSession;

// Generated pages, 16 tiles across and 4 down, from a fixed seed. Tile 0 is
// blank; tiles 2, 3 and 4 are tile 1 mirrored across, upside down and both;
// tile 5 is tile 1 again with high bits set in its pixel indices; tile 6 is
// its own mirror image; the rest are random with many clear pixels. Row 3 of
// the palette repeats row 1 except colour 0.
inline constexpr int kPageTiles = 64;
inline constexpr int kMirroredTile = 1;
inline constexpr int kSymmetricTile = 6;

// The demo map and its tile page, as the editor opens them.
bool loadExampleMap(TestSession& session, std::string& problem);

// One screen (30 x 20 cells) on two pages: every tile of the mirrored family
// with every combination of cell flips, and palette rows of both pages,
// some of which the export merges.
bool buildFlipsAndPalettes(TestSession& session, std::string& problem);

// Smaller than the screen (25 x 15 cells) and without a blank tile, so the
// player must add one to show nothing beyond the map's edges.
bool buildSmallMap(TestSession& session, std::string& problem);

// A level of width x height cells on the same two pages, random cells with
// flips and palette rows of both pages (each tile drawn in one row, which
// its cells name), over a far layer at parallax 0.5 just large enough to
// fill the screen wherever the camera goes.
void buildParallaxLevel(TestSession& session, int width, int height);

}  // namespace qarto::gba
