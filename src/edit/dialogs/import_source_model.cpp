#include "edit/dialogs/import_source_model.h"

#include "edit/layers/source/source_layer_plan.h"
#include "io/c_source/source_array_reader.h"
#include "io/c_source/source_array_scan.h"
#include "model/app_title.h"

namespace qarto {

namespace {

constexpr const char* kNoFile = "Specify a file first";
constexpr const char* kNotFound = "File not found";

void tell(PlatformServices& services, const std::string& text) {
  services.messageBox(text, caption(), MessageButtons::Ok, MessageIcon::None);
}

}  // namespace

FileChooserRequest sourceFileChooser() {
  FileChooserRequest request;
  request.title = "Load Header";
  request.filter = kSourceFileFilter;
  request.defaultExtension = ".h";
  return request;
}

std::optional<std::string> chooseSourceFile(PlatformServices& services) {
  const std::vector<std::string> chosen = services.chooseOpenFiles(sourceFileChooser());
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

std::optional<std::vector<std::string>> scanSourceArrays(PlatformServices& services, const std::string& path) {
  if (path.empty()) {
    tell(services, kNoFile);
    return std::nullopt;
  }
  SourceScanResult result = scanSourceFile(path);
  switch (result.status) {
    case SourceScanStatus::NotFound: tell(services, kNotFound); return std::nullopt;
    case SourceScanStatus::Empty: tell(services, "File <" + path + "> is empty!"); return std::nullopt;
    case SourceScanStatus::Ok: break;
  }
  return std::move(result.names);
}

}  // namespace qarto

namespace qarto {

namespace {

constexpr int kMaxTypedWidth = 1000000;

std::size_t groupIndex(SourceGroup group) { return static_cast<std::size_t>(group); }

}  // namespace

std::optional<int> mapWidthValue(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const std::size_t last = text.find_last_not_of(" \t");
  long long value = 0;
  for (std::size_t i = first; i <= last; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > kMaxTypedWidth) return std::nullopt;
  }
  return static_cast<int>(value);
}

const MapArrayProbe::Result& MapArrayProbe::probe(const std::string& path, const std::string& name) {
  if (key_ && key_->first == path && key_->second == name) return result_;
  key_.emplace(path, name);
  result_ = {};
  SourceArray array;
  if (readSourceArrayFile(path, name, array, result_.message)) {
    result_.entries = screenEntryCount(array);
    if (result_.entries < 0) result_.message = "\"" + name + "\" does not hold whole 16-bit screen entries.";
  }
  return result_;
}

ImportSourceState importSourceState(const ImportSourceEntries& entries, MapArrayProbe& probe) {
  for (const std::string& array : entries.arrays) {
    if (array.empty()) return {false, "Choose a palette, a tile and a map array, and the map width."};
  }
  const std::size_t map = groupIndex(SourceGroup::MapData);
  const MapArrayProbe::Result& found = probe.probe(entries.files[map], entries.arrays[map]);
  if (found.entries < 0) return {false, found.message};
  const std::optional<int> width = mapWidthValue(entries.mapWidth);
  if (!width || *width == 0 || found.entries % *width != 0) {
    const std::string count = std::to_string(found.entries);
    return {false,
            "\"" + entries.arrays[map] + "\" holds " + count + " screen entries; Map Width must divide " + count + "."};
  }
  return {true, "The new layer will be " + std::to_string(*width) + " x " + std::to_string(found.entries / *width) +
                    " tiles."};
}

SourceLayerImport acceptImportSource(EditorSession& session, const ImportSourceEntries& entries) {
  auto choice = [&entries](SourceGroup group) {
    return SourceArrayChoice{entries.files[groupIndex(group)], entries.arrays[groupIndex(group)]};
  };
  SourceLayerRequest request;
  request.palette = choice(SourceGroup::Palette);
  request.tiles = choice(SourceGroup::TileData);
  request.map = choice(SourceGroup::MapData);
  request.width = mapWidthValue(entries.mapWidth).value_or(0);
  return importSourceLayer(session, request);
}

}  // namespace qarto
