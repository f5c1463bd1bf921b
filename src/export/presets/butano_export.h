#pragma once

#include "export/reduction/export_reduction.h"
#include "export/text/text_export_writer.h"

namespace qarto {

class PlatformServices;
class SettingsStore;

// The size rule of butano's regular backgrounds, named in the refusal.
inline constexpr int kButanoSizeStep = 256;  // pixels, both sides
inline constexpr const char* kButanoSizeRule =
    "butano's regular backgrounds must be a multiple of 256 pixels wide and high";

// Per tile layer, named after the layer (presetLayerName, numbered when two
// layers share a name), the two files of a butano asset folder:
// graphics/NAME.bmp (the layer's picture, 8-bit indexed, each palette a
// block of 16 colours with colour 0 first) and graphics/NAME.json
// ("regular_bg", 4 bits per pixel with the palette bank taken from the
// pixels). A layer that breaks butano's size rule is refused before any
// file is written, with a message naming the layer and the rule.
TextExportResult writeButanoExport(ExportReduction& reduction, const TextExportJob& job, SettingsStore& settings,
                                   PlatformServices& services);

}  // namespace qarto
