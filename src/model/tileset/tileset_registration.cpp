#include "model/tileset/tileset_registration.h"

#include <algorithm>

#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/map_project.h"
#include "model/tileset/texture_upload.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

// The file name without folder and extension ("tiles/Forest.bmp" -> "Forest").
// Both separators count: tile pages may come from maps saved on either system.
std::string displayNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

// The first tileset fills every layer that already exists.
void fillLayersWithFirstTileset(MapProject& project, const Tileset& tileset) {
  const auto tile = static_cast<std::int16_t>(firstBlankTile(tileset, 0));
  const auto id = static_cast<std::int8_t>(tileset.id);
  const Tileset* collision = project.registry().firstCollision();
  for (const auto& layer : project.layers()) {
    if (isTileLayerKind(layer->kind)) {
      for (MapCell& cell : layer->cells) {
        cell.tile = tile;
        cell.tileset = id;
      }
    } else if (layer->kind == LayerKind::Collision && collision != nullptr) {
      const auto collisionId = static_cast<std::int8_t>(collision->id);
      for (MapCell& cell : layer->cells) cell.tileset = collisionId;
    }
  }
}

}  // namespace

Tileset* registerTileset(MapProject& project, TilesetHost& host, std::unique_ptr<Tileset> tileset,
                         DisplayImage display) {
  if (!tileset) return nullptr;
  const DisplayImage image = std::move(display);
  if (!uploadTexture(*tileset, image, host.textureUploader())) {
    project.services().messageBox(kTextureUploadFailedMessage, caption(" - Tile Load Error"), MessageButtons::Ok,
                                  MessageIcon::Warning);
    return nullptr;
  }

  tileset->displayName = displayNameOf(tileset->sourcePath);
  if (tileset->id < 0) {
    project.lastTilesetId += 1;
    tileset->id = project.lastTilesetId;
  } else {
    // A stored id must never be handed out again to a later tileset.
    project.lastTilesetId = std::max(project.lastTilesetId, tileset->id);
  }

  // A record replaced under the same id must not stay the project's collision tileset.
  const Tileset* replaced = project.registry().find(tileset->id);
  if (replaced != nullptr && replaced == project.collisionTileset) project.collisionTileset = nullptr;
  Tileset& registered = project.registry().insert(std::move(tileset));

  host.tilesetRegistered(registered);
  const auto [labelWidth, labelHeight] = host.measureLabel(registered.displayName);
  registered.labelWidth = labelWidth;
  registered.labelHeight = labelHeight;

  if (!project.tilesetsLoaded && !registered.isCollisionTileset) {
    fillLayersWithFirstTileset(project, registered);
    project.tilesetsLoaded = true;
  }
  if (project.currentTilesetId == 0) project.currentTilesetId = registered.id;
  return &registered;
}

}  // namespace qarto
