#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qarto {

// Which files an export writes: the export definition's templates, or the
// layout another tool of a GBA project would have written, so that the
// project takes the map without a change to its code.
enum class ExportPreset {
  Templates,  // the files of the export definition ("Exporting")
  Grit,       // per tile layer NAME.c and NAME.h, as grit -gB4 -mRtpf names them
  Butano,     // per tile layer graphics/NAME.bmp and graphics/NAME.json
};

// "templates", "grit", "butano".
const char* presetName(ExportPreset preset);
std::optional<ExportPreset> presetNamed(const std::string& name);
std::vector<ExportPreset> allPresets();

// A layer's name as a C identifier and file name: characters a name cannot
// hold become "_", a leading digit gets a "_" before it, an empty name is
// "layer".
std::string presetLayerName(const std::string& layerName);

}  // namespace qarto
