#include "edit/session/page_file.h"

#include "edit/session/tileset_loading.h"
#include "io/files/file_bytes.h"
#include "io/files/path_utils.h"
#include "io/images/bmp_codec.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_host.h"

namespace qarto {

namespace {

constexpr int kMaxPageNameTries = 100;
constexpr const char* kUnoptimizedOneTileset =
    "Unoptimized mode only allows one tileset to be loaded at a time.  Collision tiles Do Not count as a regular "
    "texture tileset.";

bool samePicture(const IndexedImage& a, const IndexedImage& b) {
  return a.imageWidth == b.imageWidth && a.imageHeight == b.imageHeight && a.pixels == b.pixels &&
         a.palette == b.palette;
}

Tileset* registeredPage(const TilesetRegistry& registry, const IndexedImage& page) {
  for (const auto& [id, tileset] : registry) {
    if (!tileset->isCollisionTileset && samePicture(*tileset, page)) return tileset.get();
  }
  return nullptr;
}

// The first free name, or a file that already holds exactly this picture;
// empty when neither is found.
std::string pagePathFor(const std::string& folder, const std::string& name, const IndexedImage& page) {
  for (int n = 1; n <= kMaxPageNameTries; ++n) {
    const std::string path = joinPath(folder, name + (n == 1 ? "" : "_" + std::to_string(n)) + ".bmp");
    if (!fileExists(path)) return path;
    IndexedImage existing;
    std::string ignored;
    if (readBmp(path, existing, ignored) && samePicture(existing, page)) return path;
  }
  return {};
}

}  // namespace

PageFile registerMadePage(EditorSession& session, const IndexedImage& page, const std::string& folder,
                          const std::string& name, const char* captionSuffix) {
  PageFile result;
  auto refuse = [&](const std::string& text, const char* suffix) {
    session.services().messageBox(text, caption(suffix), MessageButtons::Ok, MessageIcon::Warning);
    return result;
  };
  if (Tileset* known = registeredPage(session.registry(), page)) {
    return {known, known->sourcePath, true};
  }
  if (session.project().unoptimizedMode && session.registry().countNonCollision() > 0) {
    return refuse(kUnoptimizedOneTileset, captionSuffix);
  }
  if (tilesetIdsExhausted(session)) return refuse(kTilesetIdsExhaustedMessage, kTileLoadErrorSuffix);
  result.path = pagePathFor(folder, name, page);
  if (result.path.empty()) {
    return refuse("Every name from " + name + ".bmp to " + name + "_" + std::to_string(kMaxPageNameTries) +
                      ".bmp is taken by another picture.",
                  captionSuffix);
  }
  std::string message;
  if (!fileExists(result.path) && !writeIndexedBmp(result.path, page, 256, message)) {
    return refuse(message, captionSuffix);
  }
  result.page = loadTilePage(session, result.path).tileset;
  if (result.page != nullptr) session.host().tileViewLayoutChanged();
  return result;
}

}  // namespace qarto
