#include "edit/layers/source/source_layer_import.h"

#include <vector>

#include "edit/layers/source/source_layer_plan.h"
#include "edit/session/page_file.h"
#include "io/files/path_utils.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/project/layer_amounts.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

void refuse(EditorSession& session, const std::string& text) {
  session.services().messageBox(text, caption(kImportSourceCaptionSuffix), MessageButtons::Ok, MessageIcon::Warning);
}

bool readArrays(EditorSession& session, const SourceLayerRequest& request, SourceLayerArrays& arrays) {
  const std::pair<const SourceArrayChoice*, SourceArray*> wanted[] = {
      {&request.palette, &arrays.palette}, {&request.tiles, &arrays.tiles}, {&request.map, &arrays.map}};
  for (const auto& [choice, array] : wanted) {
    std::string message;
    if (!readSourceArrayFile(choice->path, choice->name, *array, message)) {
      refuse(session, message);
      return false;
    }
  }
  arrays.width = request.width;
  return true;
}

// The page of the plan, registered beside the map (beside the tile source
// while the map has no file); nullptr after a refusal or failure.
const Tileset* providePage(EditorSession& session, const SourceLayerRequest& request, const SourceLayerArrays& arrays,
                           const IndexedImage& page, SourceLayerImport& result) {
  const std::string& beside = session.project().filePath.empty() ? request.tiles.path : session.project().filePath;
  const PageFile file =
      registerMadePage(session, page, splitPath(beside).folder, arrays.tiles.name, kImportSourceCaptionSuffix);
  result.pageReused = file.reused;
  result.pagePath = file.path;
  return file.page;
}

}  // namespace

SourceLayerImport importSourceLayer(EditorSession& session, const SourceLayerRequest& request) {
  SourceLayerImport result;
  MapProject& project = session.project();
  SourceLayerArrays arrays;
  if (!readArrays(session, request, arrays)) return result;
  SourceLayerPlan plan;
  std::string message;
  const LayerSizeRule rule{screenTiles(project.screenWidth), screenTiles(project.screenHeight)};
  if (!planSourceLayer(arrays, rule, plan, message)) {
    refuse(session, message);
    return result;
  }

  result.page = providePage(session, request, arrays, plan.page, result);
  if (result.page == nullptr) return result;
  const auto id = static_cast<std::int8_t>(result.page->id);
  result.layer = project.addLayer(arrays.map.name, plan.width, plan.height, 1.0f, 1.0f, LayerKind::Primary, false);
  if (result.layer == nullptr) return result;
  for (std::size_t i = 0; i < plan.cells.size(); ++i) {
    MapCell cell = plan.cells[i];
    cell.tileset = id;
    result.layer->cells[i] = cell;
  }
  return result;
}

}  // namespace qarto
