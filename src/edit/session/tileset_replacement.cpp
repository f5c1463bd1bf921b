// Remove Tileset and Update Tileset: the commands that take a registered page
// away or swap its image while the map keeps referring to it by id.

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "edit/session/tileset_commands.h"
#include "edit/session/tileset_loading.h"
#include "io/files/chooser_folders.h"
#include "io/files/file_bytes.h"
#include "io/files/path_utils.h"
#include "io/images/tile_page_reader.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/tileset/texture_upload.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registration.h"

namespace qarto {

namespace {

constexpr const char* kRemoveSuffix = " - Remove Tileset";
constexpr const char* kUpdateSuffix = " - Update Tileset";

std::string formatCount(const char* format, int value) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string formatCounts(const char* format, int first, int second) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, first, second);
  return buffer;
}

struct TilesetUse {
  int cells = 0;       // n: tile-layer cells naming the tileset
  int emptyTiles = 0;  // e: among them, blank tiles or tile numbers outside the page
};

TilesetUse countUse(const MapProject& project, const Tileset& tileset) {
  TilesetUse use;
  for (const auto& layer : project.layers()) {
    if (!isTileLayerKind(layer->kind)) continue;
    for (const MapCell& cell : layer->cells) {
      if (cell.tileset != tileset.id) continue;
      ++use.cells;
      if (cell.tile < 0 || cell.tile >= tileset.tileCount || isBlankTile(tileset, cell.tile)) ++use.emptyTiles;
    }
  }
  return use;
}

std::string removalQuestion(const TilesetUse& use) {
  std::string text = use.cells == 1
                         ? std::string("1 map tile is using this tileset.  Removing this tileset will cause that tile ")
                         : formatCount("%i map tiles are using this tileset.  Removing this tileset will cause those "
                                       "tiles ",
                                       use.cells);
  text += "to be be zeroed out.\n\n";
  if (use.emptyTiles == 1) {
    text += formatCounts("%i of these map tiles is using an empty tile from this tileset, leaving %i tiles with "
                         "(potentially) unique tile data\n\n",
                         use.emptyTiles, use.cells - use.emptyTiles);
  } else if (use.emptyTiles > 1) {
    text += formatCounts("%i of these map tiles are using empty tiles from this tileset, leaving %i tiles with "
                         "(potentially) unique tile data\n\n",
                         use.emptyTiles, use.cells - use.emptyTiles);
  }
  return text + "Continue and remove this tileset?";
}

// Cells of a removed page show tile 0 of the collision tileset instead;
// without a collision tileset they keep the dead id and draw nothing.
void repointCells(MapProject& project, TilesetRegistry& registry, std::int32_t removedId) {
  const Tileset* target = nullptr;
  for (const auto& [id, tileset] : registry) {
    if (tileset->isCollisionTileset && id != removedId) {
      target = tileset.get();
      break;
    }
  }
  if (target == nullptr) return;
  const std::uint8_t palette = tilePaletteRow(*target, 0);
  for (const auto& layer : project.layers()) {
    if (!isTileLayerKind(layer->kind)) continue;
    for (MapCell& cell : layer->cells) {
      if (cell.tileset != removedId) continue;
      cell.tile = 0;
      cell.tileset = static_cast<std::int8_t>(target->id);
      cell.palette = palette;
    }
  }
}

// The registered id after `id`, wrapping to the lowest; 0 when `id` is the
// only one.
std::int32_t nextTilesetId(const TilesetRegistry& registry, std::int32_t id) {
  std::int32_t lowest = 0;
  for (const auto& [other, tileset] : registry) {
    if (other == id) continue;
    if (other > id) return other;
    if (lowest == 0) lowest = other;
  }
  return lowest;
}

// Palette rows follow the tiles: the new image may colour a tile from
// another row.
void recomputePalettes(MapProject& project, const TilesetRegistry& registry) {
  for (const auto& layer : project.layers()) {
    if (layer->kind == LayerKind::Collision || layer->kind == LayerKind::Entity) continue;
    for (MapCell& cell : layer->cells) {
      const Tileset* tileset = registry.find(cell.tileset);
      if (tileset != nullptr) cell.palette = tilePaletteRow(*tileset, cell.tile);
    }
  }
}

}  // namespace

void removeCurrentTileset(EditorSession& session) {
  MapProject& project = session.project();
  TilesetRegistry& registry = session.registry();
  PlatformServices& services = session.services();
  Tileset* tileset = registry.find(project.currentTilesetId);
  if (tileset == nullptr) return;
  if (tileset->isCollisionTileset || tileset == project.collisionTileset) {
    services.messageBox("Collision tilesets cannot be removed from a project.", caption(kRemoveSuffix),
                        MessageButtons::Ok, MessageIcon::Warning);
    return;
  }

  const TilesetUse use = countUse(project, *tileset);
  if (use.cells > 0 && services.messageBox(removalQuestion(use), caption(kRemoveSuffix), MessageButtons::YesNo,
                                           MessageIcon::Exclamation) != MessageAnswer::Yes) {
    return;
  }

  const std::int32_t id = tileset->id;
  repointCells(project, registry, id);
  project.currentTilesetId = nextTilesetId(registry, id);
  registry.remove(id);
  session.host().tilesetRemoved(id);

  if (project.hasLayers()) project.modified = true;
  if (registry.countNonCollision() == 0) project.tilesetsLoaded = false;
  session.host().tileViewLayoutChanged();
}

void updateCurrentTileset(EditorSession& session) {
  MapProject& project = session.project();
  TilesetRegistry& registry = session.registry();
  PlatformServices& services = session.services();
  Tileset* old = registry.find(project.currentTilesetId);
  if (old == nullptr) return;

  FileChooserRequest request;
  request.title = "Update Tileset";
  request.filter = kTilesetFilter;
  request.defaultExtension = kBmpExtension;
  if (canOpenForReading(old->sourcePath)) {
    request.initialFile = old->sourcePath;
  } else {
    request.initialFolder = tilesetDialogFolder(session.settings());
  }
  std::vector<std::string> chosen = services.chooseOpenFiles(request);
  if (chosen.empty()) return;

  std::unique_ptr<Tileset> fresh = makeTileset();
  if (!fresh) {
    services.messageBox(kTexturesAllocationFailedMessage, caption(), MessageButtons::Ok, MessageIcon::Warning);
    return;
  }
  fresh->sourcePath = chosen.front();
  DisplayImage display;
  std::string message;
  if (!readTilePage(*fresh, display, message)) {
    services.messageBox(message, caption(std::string(kUpdateSuffix) + kTileLoadErrorSuffix), MessageButtons::Ok,
                        MessageIcon::Warning);
    return;
  }
  // Same width keeps every tile number on the same picture position.
  if (fresh->imageWidth != old->imageWidth || fresh->imageHeight < old->imageHeight) {
    services.messageBox(
        "The new tileset must be of the same width as the old tileset and the new tileset must be of the same height "
        "OR greater.",
        caption(kUpdateSuffix), MessageButtons::Ok, MessageIcon::Warning);
    return;
  }
  if (!uploadTexture(*fresh, display, session.host().textureUploader())) {
    services.messageBox(kTextureUploadFailedMessage, caption(kTileLoadErrorSuffix), MessageButtons::Ok,
                        MessageIcon::Warning);
    return;
  }

  fresh->id = old->id;
  fresh->displayName = fileTitle(fresh->sourcePath);
  const auto [labelWidth, labelHeight] = session.host().measureLabel(fresh->displayName);
  fresh->labelWidth = labelWidth;
  fresh->labelHeight = labelHeight;
  // The collision tileset stays the collision tileset, and the project must
  // not keep pointing at the record destroyed below.
  const bool wasCollision = old->isCollisionTileset || old == project.collisionTileset;
  fresh->isCollisionTileset = wasCollision;
  Tileset& stored = registry.insert(std::move(fresh));
  if (wasCollision) project.collisionTileset = &stored;

  recomputePalettes(project, registry);
  if (project.hasLayers()) project.modified = true;
  session.host().tileViewLayoutChanged();
}

}  // namespace qarto
