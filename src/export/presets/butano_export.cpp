#include "export/presets/butano_export.h"

#include "export/binary/array_names.h"
#include "export/export_paths.h"
#include "export/layer_bmp_export.h"
#include "export/presets/export_preset.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/layer_kind.h"

namespace qarto {

namespace {

constexpr const char* kAssetJson = "{\n    \"type\": \"regular_bg\",\n    \"bpp_mode\": \"bpp_4_manual\"\n}\n";

std::vector<const MapLayer*> tileLayers(const LayerStack& layers) {
  std::vector<const MapLayer*> found;
  for (const auto& layer : layers) {
    if (isTileLayerKind(layer->kind)) found.push_back(layer.get());
  }
  return found;
}

}  // namespace

TextExportResult writeButanoExport(ExportReduction& reduction, const TextExportJob& job, SettingsStore&,
                                   PlatformServices& services) {
  TextExportResult result;
  const std::vector<const MapLayer*> layers = tileLayers(*job.layers);
  for (const MapLayer* layer : layers) {
    const int width = layer->width * 8;
    const int height = layer->height * 8;
    if (width % kButanoSizeStep == 0 && height % kButanoSizeStep == 0) continue;
    result.caption = caption(" - Export");
    result.text = "The layer \"" + layer->nameText() + "\" is " + std::to_string(width) + "x" +
                  std::to_string(height) + " pixels: " + kButanoSizeRule +
                  ".  Resize the layer, or export it without the butano preset.";
    services.messageBox(result.text, result.caption, MessageButtons::Ok, MessageIcon::Warning);
    return result;
  }
  ArrayNames names;
  const std::string folder = job.exportDirectory + "graphics/";
  for (const MapLayer* layer : layers) {
    const std::string name = names.take(presetLayerName(layer->nameText()));
    const std::string image = folder + name + ".bmp";
    CreateParentDirectories(image);
    if (!exportLayerToBmpFile(layer, *job.registry, services, image)) return result;  // its message was shown
    result.written.push_back(image);
    std::string failed;
    if (!writeExportFile(folder + name + ".json", kAssetJson, std::char_traits<char>::length(kAssetJson),
                         result.written, failed)) {
      return stoppedExport(failed, services, result);
    }
  }
  return finishedInWritingOrder(reduction.paletteErrors, reduction.tileErrors, {}, services, result);
}

}  // namespace qarto
