#pragma once

#include "export/reduction/export_reduction.h"
#include "export/text/text_export_writer.h"

namespace qarto {

class PlatformServices;
class SettingsStore;

// Per tile layer, named after the layer (presetLayerName, numbered when two
// layers share a name): NAME.c with NAMETiles (unsigned int, the layer's
// tile group at 4 bits per pixel), NAMEMap (unsigned short screen entries
// with flips and palette banks) and NAMEPal (unsigned short, every palette
// of the map), all aligned to 4 bytes; and NAME.h declaring them with the
// NAMETilesLen, NAMEMapLen and NAMEPalLen byte lengths. These are the
// names, types and lengths grit gives for -gB4 -mRtpf, so a program written
// against grit's output builds with these files unchanged. The layout's
// screen blocks and LZ77 apply; the lengths are then those of the arrays
// as written.
TextExportResult writeGritExport(ExportReduction& reduction, const TextExportJob& job, SettingsStore& settings,
                                 PlatformServices& services);

}  // namespace qarto
