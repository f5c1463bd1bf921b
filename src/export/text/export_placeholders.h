#pragma once

#include <string>

#include "export/reduction/export_reduction.h"
#include "export/text/export_template.h"

namespace qarto {

struct TextExportJob;

// The placeholder values of the export as it moves from array to array,
// shared by the text and the binary export so that both name their arrays
// alike.

// At the start: time, date, map names, the counter, palette count, offsets.
PlaceholderValues startingPlaceholders(const ExportReduction& reduction, const TextExportJob& job, int numAutoGen);
// "%arraySize%" of the palette array: 256 when padded, else 16 per palette.
int paletteArraySize(const ExportReduction& reduction, bool autoPad);
// "%arrayNumber%" of the array after `written` arrays of its kind: empty for
// the first, then 2, 3, ...
std::string arrayNumberAfter(int written);
// The tile array of a group (0 = Group1): "%tileGroup%", "%arrayNumber%",
// "%tileCount%", "%arraySize%".
void setTilePlaceholders(PlaceholderValues& values, const ExportReduction& reduction, int group);
// The layer placeholders and "%arraySize%" of a map or collision array.
void setLayerPlaceholders(PlaceholderValues& values, const MapLayer& layer);

}  // namespace qarto
