#include "edit/layers/source/source_layer_import.h"

#include <vector>

#include "edit/layers/source/source_layer_plan.h"
#include "edit/session/tileset_loading.h"
#include "io/files/file_bytes.h"
#include "io/files/path_utils.h"
#include "io/images/bmp_codec.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/project/layer_amounts.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_host.h"

namespace qarto {

namespace {

constexpr int kMaxPageNameTries = 100;
constexpr const char* kUnoptimizedOneTileset =
    "Unoptimized mode only allows one tileset to be loaded at a time.  Collision tiles Do Not count as a regular "
    "texture tileset.";

void refuse(EditorSession& session, const std::string& text, const char* suffix = kImportSourceCaptionSuffix) {
  session.services().messageBox(text, caption(suffix), MessageButtons::Ok, MessageIcon::Warning);
}

bool samePicture(const IndexedImage& a, const IndexedImage& b) {
  return a.imageWidth == b.imageWidth && a.imageHeight == b.imageHeight && a.pixels == b.pixels &&
         a.palette == b.palette;
}

const Tileset* registeredPage(const TilesetRegistry& registry, const IndexedImage& page) {
  for (const auto& [id, tileset] : registry) {
    if (!tileset->isCollisionTileset && samePicture(*tileset, page)) return tileset.get();
  }
  return nullptr;
}

// Where the page goes: the first free name, or a file that already holds
// exactly this picture (which is then loaded as it is). Empty when neither
// is found.
std::string pagePathFor(const EditorSession& session, const SourceLayerRequest& request, const IndexedImage& page,
                        const std::string& tileArray) {
  const std::string& beside = session.project().filePath.empty() ? request.tiles.path : session.project().filePath;
  const std::string folder = splitPath(beside).folder;
  for (int n = 1; n <= kMaxPageNameTries; ++n) {
    const std::string name = tileArray + (n == 1 ? "" : "_" + std::to_string(n)) + ".bmp";
    const std::string path = joinPath(folder, name);
    if (!fileExists(path)) return path;
    IndexedImage existing;
    std::string ignored;
    if (readBmp(path, existing, ignored) && samePicture(existing, page)) return path;
  }
  return {};
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

// The page of the plan, registered; nullptr after a refusal or failure.
const Tileset* providePage(EditorSession& session, const SourceLayerRequest& request, const SourceLayerArrays& arrays,
                           const IndexedImage& page, SourceLayerImport& result) {
  if (const Tileset* known = registeredPage(session.registry(), page)) {
    result.pageReused = true;
    result.pagePath = known->sourcePath;
    return known;
  }
  if (session.project().unoptimizedMode && session.registry().countNonCollision() > 0) {
    refuse(session, kUnoptimizedOneTileset);
    return nullptr;
  }
  if (tilesetIdsExhausted(session)) {
    refuse(session, kTilesetIdsExhaustedMessage, kTileLoadErrorSuffix);
    return nullptr;
  }
  result.pagePath = pagePathFor(session, request, page, arrays.tiles.name);
  if (result.pagePath.empty()) {
    refuse(session, "Every name from " + arrays.tiles.name + ".bmp to " + arrays.tiles.name + "_" +
                        std::to_string(kMaxPageNameTries) + ".bmp is taken by another picture.");
    return nullptr;
  }
  std::string message;
  if (!fileExists(result.pagePath) && !writeIndexedBmp(result.pagePath, page, 256, message)) {
    refuse(session, message);
    return nullptr;
  }
  const Tileset* loaded = loadTilePage(session, result.pagePath).tileset;
  if (loaded != nullptr) session.host().tileViewLayoutChanged();
  return loaded;
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
