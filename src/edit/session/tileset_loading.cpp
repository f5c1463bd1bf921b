#include "edit/session/tileset_loading.h"

#include <new>
#include <utility>

#include "edit/session/page_conversion.h"
#include "edit/session/tileset_commands.h"
#include "io/images/tile_page_reader.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset_registration.h"

namespace qarto {

std::unique_ptr<Tileset> makeTileset() {
  try {
    return std::make_unique<Tileset>();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

bool tilesetIdsExhausted(EditorSession& session) {
  return session.project().lastTilesetId >= kMaxCellTilesetId;
}

PageLoad loadTilePage(EditorSession& session, const std::string& path) {
  PlatformServices& services = session.services();
  if (tilesetIdsExhausted(session)) {
    services.messageBox(kTilesetIdsExhaustedMessage, caption(kTileLoadErrorSuffix), MessageButtons::Ok,
                        MessageIcon::Warning);
    return {nullptr, true};
  }
  std::unique_ptr<Tileset> tileset = makeTileset();
  if (!tileset) {
    services.messageBox(kTexturesAllocationFailedMessage, caption(), MessageButtons::Ok, MessageIcon::Warning);
    return {nullptr, true};
  }
  tileset->sourcePath = path;
  DisplayImage display;
  std::string message;
  if (!readTilePage(*tileset, display, message)) {
    const PageConversion converted = offerPageConversion(session, path, message, nullptr);
    if (converted.page != nullptr) return {converted.page, false};
    if (!converted.offered) {
      services.messageBox(message, caption(kTileLoadErrorSuffix), MessageButtons::Ok, MessageIcon::Warning);
    }
    return {nullptr, false};
  }
  if (const PageConversion converted = offerPageConversion(session, path, {}, tileset.get()); converted.page) {
    return {converted.page, false};
  }
  return {registerTileset(session.project(), session.host(), std::move(tileset), std::move(display)), false};
}

Tileset* loadTilesetFromFile(EditorSession& session, const std::string& path) {
  return loadTilePage(session, path).tileset;
}

}  // namespace qarto
