#pragma once

namespace qarto {

class BrushTable;
class TilesetRegistry;

// Every brush placement of a registered normal page takes its tile's
// palette row from the page again, so a brush picked before the page's rows
// were rearranged (or before that was undone) paints the rows of now.
void resyncBrushPalettes(BrushTable& brushes, const TilesetRegistry& registry);

}  // namespace qarto
