#include "export/presets/export_preset.h"

#include <array>

namespace qarto {

namespace {

constexpr std::array<const char*, 3> kNames = {"templates", "grit", "butano"};

}  // namespace

const char* presetName(ExportPreset preset) { return kNames[static_cast<std::size_t>(preset)]; }

std::optional<ExportPreset> presetNamed(const std::string& name) {
  for (const ExportPreset preset : allPresets()) {
    if (name == presetName(preset)) return preset;
  }
  return std::nullopt;
}

std::vector<ExportPreset> allPresets() { return {ExportPreset::Templates, ExportPreset::Grit, ExportPreset::Butano}; }

std::string presetLayerName(const std::string& layerName) {
  std::string name;
  for (const char c : layerName) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    name += letter || (c >= '0' && c <= '9') ? c : '_';
  }
  if (name.empty()) return "layer";
  if (name[0] >= '0' && name[0] <= '9') name.insert(name.begin(), '_');
  return name;
}

}  // namespace qarto
