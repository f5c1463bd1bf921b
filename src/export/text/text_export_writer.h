#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "export/layout/array_layout.h"
#include "export/reduction/export_reduction.h"
#include "export/text/export_summary.h"

namespace qarto {

class PlatformServices;
class SettingsStore;

// Everything the text export reads besides the reduction and the settings.
struct TextExportJob {
  const LayerStack* layers = nullptr;
  const TilesetRegistry* registry = nullptr;
  std::string mapFilePath;      // "%fileName%"; empty for a map never saved
  std::string exportDirectory;  // ends in "/"
  int bankOffset = 0;
  int tileOffset = 0;
  int saturation = 0;
  int luminance = 0;
  std::time_t startTime = 0;  // "%time%" and "%date%"
  bool offerShow = false;     // the summary offers "Show" for cells without a page
  ArrayLayout layout;
};

// Writes the palette, tile, map and collision files and the extern files
// the export definition in "Exporting" names, advances "NumAutoGen", and
// shows the summary (or the stop message) through `services`.
TextExportResult writeTextExport(ExportReduction& reduction, const TextExportJob& job, SettingsStore& settings,
                                 PlatformServices& services);

}  // namespace qarto
