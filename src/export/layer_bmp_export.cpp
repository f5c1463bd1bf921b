#include "export/layer_bmp_export.h"

#include <cstring>

#include "export/reduction/reduction_index.h"
#include "io/files/atomic_file.h"
#include "io/files/chooser_folders.h"
#include "io/images/bmp_codec.h"
#include "model/allocation.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/map_layer.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

void warn(PlatformServices& services, const char* text) {
  services.messageBox(text, caption(), MessageButtons::Ok, MessageIcon::Warning);
}

// 256 entries: each palette's 16 colours at full precision, then black.
void fillColourTable(IndexedImage& image, const ExportReduction& palettes, const TilesetRegistry& registry) {
  image.palette.fill(0);
  for (std::size_t i = 0; i < palettes.palettes.size(); ++i) {
    const PaletteKey key = palettes.palettes[i];
    const Tileset* page = registry.find(paletteKeyTileset(key));
    if (page == nullptr) continue;
    const std::size_t row = static_cast<std::size_t>(paletteKeyRow(key)) * 48;
    std::memcpy(image.palette.data() + i * 48, page->palette.data() + row, 48);
  }
}

// Draws every cell's tile, mirrored as the cell says, into the image (rows
// from the top; the encoder stores them bottom-up). False at the first cell
// whose tile page is not registered (or that a short cell array lacks).
bool drawLayer(IndexedImage& image, const MapLayer& layer, const TilesetRegistry& registry,
               const ExportReduction& palettes) {
  const std::size_t width = static_cast<std::size_t>(image.imageWidth);
  for (int y = 0; y < layer.height; ++y) {
    for (int x = 0; x < layer.width; ++x) {
      const std::size_t index = static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * layer.width;
      if (index >= layer.cells.size()) return false;
      const MapCell& cell = layer.cells[index];
      const Tileset* page = registry.find(cell.tileset);
      if (page == nullptr) return false;
      const auto found = palettes.paletteIndex.find(paletteKey(cell.tileset, cell.palette));
      const int block = found == palettes.paletteIndex.end() ? 0 : found->second;
      TilePixels pixels{};  // a tile outside its page is drawn in colour 0 of its block
      readTile(*page, cell.tile, cell.hflip(), cell.vflip(), pixels);
      std::uint8_t* out = image.pixels.data() + static_cast<std::size_t>(y) * 8 * width + static_cast<std::size_t>(x) * 8;
      for (std::size_t row = 0; row < 8; ++row, out += width) {
        for (std::size_t column = 0; column < 8; ++column) {
          out[column] = static_cast<std::uint8_t>(block * 16 + (pixels[row * 8 + column] & 15));
        }
      }
    }
  }
  return true;
}

}  // namespace

std::optional<ExportReduction> collectLayerPalettes(const MapLayer* layer, const TilesetRegistry& registry,
                                                    PlatformServices& services) {
  if (layer == nullptr) {
    warn(services, kNoActiveLayerMessage);
    return std::nullopt;
  }
  if (layer->isEntityLayer()) {
    warn(services, kOnlyTileLayersMessage);
    return std::nullopt;
  }
  ExportReduction palettes;
  PaletteMatchIndex index(palettes, registry);
  for (const MapCell& cell : layer->cells) {
    if (const Tileset* page = registry.find(cell.tileset)) index.add(*page, cell.palette);
  }
  if (palettes.paletteCount() == 0) {
    warn(services, kNoPalettesMessage);
    return std::nullopt;
  }
  if (palettes.paletteCount() > kMaxExportPalettes) {
    warn(services, kTooManyLayerPalettesMessage);
    return std::nullopt;
  }
  return palettes;
}

bool writeLayerBmp(const MapLayer& layer, const TilesetRegistry& registry, const ExportReduction& palettes,
                   PlatformServices& services, const std::string& path) {
  IndexedImage image;
  image.imageWidth = layer.width * 8;
  image.imageHeight = layer.height * 8;
  const std::size_t pixelCount = static_cast<std::size_t>(image.imageWidth) * static_cast<std::size_t>(image.imageHeight);
  if (!allocateZeroed(image.pixels, pixelCount)) {
    warn(services, kBmpBufferFailedMessage);
    return false;
  }
  AtomicFile file(path);
  if (!file.open()) {
    warn(services, kBmpOpenFailedMessage);
    return false;
  }
  // Nothing reaches the target unless the whole image could be drawn.
  if (!drawLayer(image, layer, registry, palettes)) {
    warn(services, kMissingTilesetMessage);
    return false;
  }
  fillColourTable(image, palettes, registry);
  const std::vector<std::uint8_t> bytes = encodeIndexedBmp(image, 256);
  if (bytes.empty()) {
    warn(services, kBmpBufferFailedMessage);
    return false;
  }
  if (!file.write(bytes.data(), bytes.size()) || !file.commit()) {
    warn(services, kBmpOpenFailedMessage);
    return false;
  }
  services.beep(240, 5);
  return true;
}

bool exportLayerToBmpFile(const MapLayer* layer, const TilesetRegistry& registry, PlatformServices& services,
                          const std::string& path) {
  const std::optional<ExportReduction> palettes = collectLayerPalettes(layer, registry, services);
  return palettes && writeLayerBmp(*layer, registry, *palettes, services, path);
}

bool ExportLayerToBmp(MapProject& project, SettingsStore& settings) {
  PlatformServices& services = project.services();
  const MapLayer* layer = project.activeLayer;
  const std::optional<ExportReduction> palettes = collectLayerPalettes(layer, project.registry(), services);
  if (!palettes) return false;

  FileChooserRequest request;
  request.title = kExportLayerChooserTitle;
  request.filter = kBitmapFilesFilter;
  request.defaultExtension = ".bmp";
  request.initialFolder = tilesetDialogFolder(settings);
  const std::optional<std::string> path = services.chooseSaveFile(request);
  if (!path) return false;
  rememberTilesetFolder(settings, *path);
  return writeLayerBmp(*layer, project.registry(), *palettes, services, *path);
}

}  // namespace qarto
