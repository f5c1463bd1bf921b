#include "model/project/map_project.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <new>

#include "model/allocation.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/layer_observer.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

constexpr const char* kSecondCollisionQuestion =
    "A collision layer is already present in the project.  Are you sure you want to add another one?";
constexpr const char* kLayerAllocationFailed = "Error...layer allocation failed.  Try closing other applications. ";
constexpr const char* kNoPrimaryForScale = "Error...No primary layer found for scale reference.";
constexpr const char* kEntityAllocationFailed =
    "Error....entity array allocation failed.  Try closing other applications.";
constexpr const char* kTileAllocationFailed = "Error....tile array allocation failed.  Try closing other applications. ";
constexpr const char* kNoTilesetFound =
    "Supposedly a tileset is loaded, but couldn't find one. Layer creation aborted.";

}  // namespace

MapProject::MapProject(PlatformServices& services, TilesetRegistry& registry)
    : services_(services), registry_(registry) {}

MapProject::~MapProject() = default;

int MapProject::indexOf(const MapLayer* layer) const {
  if (layer == nullptr) return -1;
  for (std::size_t i = 0; i < layers_.size(); ++i) {
    if (layers_[i].get() == layer) return static_cast<int>(i);
  }
  return -1;
}

MapLayer* MapProject::layerAt(int index) const {
  if (index < 0 || index >= layerCount()) return nullptr;
  return layers_[static_cast<std::size_t>(index)].get();
}

MapLayer* MapProject::layerBelow(const MapLayer* layer) const {
  const int index = indexOf(layer);
  return index > 0 ? layerAt(index - 1) : nullptr;
}

MapLayer* MapProject::layerAbove(const MapLayer* layer) const {
  const int index = indexOf(layer);
  return index >= 0 ? layerAt(index + 1) : nullptr;
}

MapLayer& MapProject::insertLayer(std::unique_ptr<MapLayer> layer, int index) {
  const int at = std::clamp(index, 0, layerCount());
  MapLayer& inserted = *layer;
  layers_.insert(layers_.begin() + at, std::move(layer));
  return inserted;
}

std::unique_ptr<MapLayer> MapProject::takeLayer(const MapLayer* layer) {
  const int index = indexOf(layer);
  if (index < 0) return nullptr;
  std::unique_ptr<MapLayer> taken = std::move(layers_[static_cast<std::size_t>(index)]);
  layers_.erase(layers_.begin() + index);
  if (activeLayer == taken.get()) activeLayer = nullptr;
  return taken;
}

MapLayer* MapProject::findLayerOfKind(LayerKind kind, const MapLayer* start) const {
  int from = 0;
  if (start != nullptr) {
    from = indexOf(start);
    // Searching from the top layer on finds nothing, by long-standing rule.
    if (from < 0 || from == layerCount() - 1) return nullptr;
  }
  for (int i = from; i < layerCount(); ++i) {
    if (layers_[static_cast<std::size_t>(i)]->kind == kind) return layers_[static_cast<std::size_t>(i)].get();
  }
  return nullptr;
}

MapLayer* MapProject::addLayer(const std::string& name, int width, int height, float parallaxX, float parallaxY,
                               LayerKind kind, bool makeActive) {
  if (kind == LayerKind::Collision && findLayerOfKind(LayerKind::Collision) != nullptr) {
    if (services_.messageBox(kSecondCollisionQuestion, caption(), MessageButtons::YesNo, MessageIcon::Question) !=
        MessageAnswer::Yes) {
      return nullptr;
    }
  } else if (kind == LayerKind::Primary && findLayerOfKind(LayerKind::Primary) != nullptr) {
    kind = LayerKind::Secondary;
  }

  modified = true;

  std::unique_ptr<MapLayer> layer;
  try {
    layer = std::make_unique<MapLayer>();
  } catch (const std::bad_alloc&) {
    services_.messageBox(kLayerAllocationFailed, caption(), MessageButtons::Ok, MessageIcon::Exclamation);
    return nullptr;
  }

  if (width == 0 || height == 0) {
    const MapLayer* primary = findLayerOfKind(LayerKind::Primary);
    if (primary == nullptr) {
      services_.messageBox(kNoPrimaryForScale, caption(), MessageButtons::Ok, MessageIcon::Exclamation);
      return nullptr;
    }
    // The derived size always measures from the default screen, whatever the settings say.
    width = layerSizeForParallax(parallaxX, primary->width, kMinLayerTilesX);
    height = layerSizeForParallax(parallaxY, primary->height, kMinLayerTilesY);
  }

  // The header keeps 16-bit sizes; anything outside cannot be stored, so it
  // is treated like a cell array that cannot be had.
  const bool sizeStorable = width > 0 && height > 0 && width <= 0xFFFF && height <= 0xFFFF;
  if (kind == LayerKind::Entity) {
    if (!sizeStorable || !allocateZeroed(layer->entities, kEntityBlockSize)) {
      services_.messageBox(kEntityAllocationFailed, caption(), MessageButtons::Ok, MessageIcon::Exclamation);
      return nullptr;
    }
  } else {
    const std::size_t count = sizeStorable ? static_cast<std::size_t>(width) * static_cast<std::size_t>(height) : 0;
    if (!sizeStorable || !allocateZeroed(layer->cells, count)) {
      services_.messageBox(kTileAllocationFailed, caption(), MessageButtons::Ok, MessageIcon::Exclamation);
      return nullptr;
    }
  }

  layer->width = static_cast<std::uint16_t>(width);
  layer->height = static_cast<std::uint16_t>(height);
  layer->parallaxX = parallaxX;
  layer->parallaxY = parallaxY;
  layer->kind = kind;
  layer->setName(name);

  // Filled before the layer joins the stack, so an abandoned add leaves the
  // stack and the active layer untouched.
  if (isTileLayerKind(kind)) {
    if (tilesetsLoaded) {
      const Tileset* first = registry_.firstNonCollision();
      if (first == nullptr) {
        services_.messageBox(kNoTilesetFound, caption(), MessageButtons::Ok, MessageIcon::Stop);
        return nullptr;
      }
      const auto tile = static_cast<std::int16_t>(firstBlankTile(*first, 0));
      const auto id = static_cast<std::int8_t>(first->id);
      for (MapCell& cell : layer->cells) {
        cell.tile = tile;
        cell.tileset = id;
      }
    }
  } else if (kind == LayerKind::Collision) {
    layer->alpha = true;
    if (const Tileset* collision = registry_.firstCollision()) {
      const auto id = static_cast<std::int8_t>(collision->id);
      for (MapCell& cell : layer->cells) cell.tileset = id;
    }
  }

  MapLayer* const previouslyActive = activeLayer;
  MapLayer& added = insertLayer(std::move(layer), 0);
  if (activeLayer == nullptr || kind == LayerKind::Primary || makeActive) activeLayer = &added;

  journal_.recordLayerAdded(&added, previouslyActive);
  notifyLayerAdded(added);
  return &added;
}

void MapProject::resetProject(bool removeCollisionTileset) {
  for (auto it = registry_.begin(); it != registry_.end();) {
    const Tileset* tileset = it->second.get();
    const bool isCollision = tileset->isCollisionTileset || tileset == collisionTileset;
    const std::int32_t id = it->first;
    ++it;  // removal invalidates only the removed entry
    if (!isCollision || removeCollisionTileset) registry_.remove(id);
  }
  if (removeCollisionTileset) collisionTileset = nullptr;
  tilesetsLoaded = false;

  if (projectObserver_ != nullptr) projectObserver_->projectReset(!removeCollisionTileset);

  activeLayer = nullptr;
  layers_.clear();
  modified = false;
  collisionSetEditing = false;
  filePath.clear();

  journal_.clear();

  // The layer bar must not keep showing destroyed layers.
  if (layerObserver_ != nullptr) {
    layerObserver_->refreshLayers();
    layerObserver_->activeLayerChanged(nullptr);
  }
}

void MapProject::setActiveLayer(MapLayer* layer) {
  if (layer != nullptr && !contains(layer)) return;
  activeLayer = layer;
  if (layerObserver_ != nullptr) layerObserver_->activeLayerChanged(activeLayer);
}

void MapProject::notifyLayerAdded(MapLayer& layer) {
  if (layerObserver_ == nullptr) return;
  layerObserver_->layerAdded(layer);
  layerObserver_->refreshLayers();
  layerObserver_->activeLayerChanged(activeLayer);
}

bool isValidLayerName(const std::string& text) {
  auto isBlank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  auto first = std::find_if_not(text.begin(), text.end(), isBlank);
  auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), isBlank).base();
  if (first == last) return true;

  auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!isLetter(*first)) return false;
  return std::all_of(first, last, [&](char c) { return isLetter(c) || (c >= '0' && c <= '9'); });
}

int layerSizeForParallax(double parallax, int primaryExtent, int screenExtent) {
  const double grown = std::ceil(parallax * static_cast<double>(primaryExtent - screenExtent));
  // Absurd factors (only reachable by direct calls) give an extent no layer can have.
  if (!(grown > -1.0e6 && grown < 1.0e6)) return -1;
  return screenExtent + static_cast<int>(grown);
}

}  // namespace qarto
