#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/project/layer_kind.h"
#include "model/project/map_layer.h"
#include "model/project/undo_journal.h"

namespace qarto {

class LayerObserver;
class PlatformServices;
class TilesetRegistry;
struct Tileset;

inline constexpr std::size_t kMapPathSize = 256;  // 255 characters and the terminator
inline constexpr int kMinLayerTilesX = 30;
inline constexpr int kMinLayerTilesY = 20;
inline constexpr int kMaxLayerTiles = 1024;

// Hears about project events that other subsystems keep state for (the
// brush table drops its brushes on reset).
class ProjectObserver {
 public:
  virtual ~ProjectObserver() = default;
  // Every tileset brush is gone except the collision tileset's when
  // collisionTilesetKept; the stamp brush is empty.
  virtual void projectReset(bool collisionTilesetKept) = 0;
};

// Units of the Add Layer dialog's size amounts, in the order of its list.
enum class SizeUnit : int { Parallax = 0, Tiles = 1, Screens = 2, Pixels = 3 };

// What the Add Layer dialog hands to requestAddLayer.
struct AddLayerRequest {
  std::string name;                   // as typed; blanks become "_"
  LayerKind kind = LayerKind::Secondary;  // Secondary, Collision or Entity
  // The amounts as read by amountOrNaN: NaN for text that is no number.
  double amountX = 1.0;
  SizeUnit unitX = SizeUnit::Parallax;
  double amountY = 1.0;
  SizeUnit unitY = SizeUnit::Parallax;
  bool viewAvailable = true;
};

enum class AddLayerOutcome {
  Added,          // the dialog closes
  KeepDialogOpen,  // refused with a message; the user may correct the input
  CloseDialog,    // refused with a message; the dialog closes
  Failed,         // addLayer refused or failed (its message was shown)
};

struct AddLayerResult {
  AddLayerOutcome outcome = AddLayerOutcome::Failed;
  MapLayer* layer = nullptr;
};

// The one open map: the layer stack (bottom first) and the project state the
// map file stores. Layers are owned here; tilesets live in the registry.
class MapProject {
 public:
  MapProject(PlatformServices& services, TilesetRegistry& registry);
  ~MapProject();
  MapProject(const MapProject&) = delete;
  MapProject& operator=(const MapProject&) = delete;

  // --- Project state (the map file stores most of it) ---
  std::string filePath;  // at most 255 characters
  MapLayer* activeLayer = nullptr;
  bool modified = false;
  bool collisionSetEditing = false;
  bool unoptimizedMode = false;
  std::int32_t lastTilesetId = 0;
  std::int32_t currentTilesetId = 0;
  Tileset* collisionTileset = nullptr;
  bool tilesetsLoaded = false;
  bool showMapGrid = true;
  bool showTileGrid = false;
  bool autoPaintCollision = true;
  std::int32_t screenWidth = 240;
  std::int32_t screenHeight = 160;
  std::int32_t selectedEntity = -1;

  // --- Collaborators ---
  PlatformServices& services() { return services_; }
  TilesetRegistry& registry() { return registry_; }
  const TilesetRegistry& registry() const { return registry_; }
  UndoJournal& journal() { return journal_; }
  const UndoJournal& journal() const { return journal_; }
  void setLayerObserver(LayerObserver* observer) { layerObserver_ = observer; }
  LayerObserver* layerObserver() const { return layerObserver_; }
  void setProjectObserver(ProjectObserver* observer) { projectObserver_ = observer; }

  // --- Layer stack ---
  const std::vector<std::unique_ptr<MapLayer>>& layers() const { return layers_; }
  bool hasLayers() const { return !layers_.empty(); }
  int layerCount() const { return static_cast<int>(layers_.size()); }
  // Position from the bottom (0), or -1 when the layer is not in the stack.
  int indexOf(const MapLayer* layer) const;
  bool contains(const MapLayer* layer) const { return indexOf(layer) >= 0; }
  MapLayer* layerAt(int index) const;
  MapLayer* layerBelow(const MapLayer* layer) const;
  MapLayer* layerAbove(const MapLayer* layer) const;
  // Puts a layer into the stack at `index` (0 = bottom, clamped) and returns it.
  MapLayer& insertLayer(std::unique_ptr<MapLayer> layer, int index);
  // Takes a layer out of the stack; clears activeLayer if it was that layer.
  std::unique_ptr<MapLayer> takeLayer(const MapLayer* layer);

  // The first layer of `kind` from the bottom, or from `start` itself on; a
  // start that is the top layer yields none.
  MapLayer* findLayerOfKind(LayerKind kind, const MapLayer* start = nullptr) const;

  // The layer-creation core. Width and height in tiles; both 0 derives the
  // size from the primary layer by parallax. Names longer than 31
  // characters keep their first 31. Returns the new layer, or nullptr when
  // refused or failed (the reason has been shown to the user).
  MapLayer* addLayer(const std::string& name, int width, int height, float parallaxX, float parallaxY,
                     LayerKind kind, bool makeActive);

  // The validation behind the Add Layer dialog's OK.
  AddLayerResult requestAddLayer(const AddLayerRequest& request);

  // Empties the project; see the file format docs for what stays.
  void resetProject(bool removeCollisionTileset);

  // Sets the active layer and tells the layer bar.
  void setActiveLayer(MapLayer* layer);

 private:
  void notifyLayerAdded(MapLayer& layer);

  PlatformServices& services_;
  TilesetRegistry& registry_;
  UndoJournal journal_;
  LayerObserver* layerObserver_ = nullptr;
  ProjectObserver* projectObserver_ = nullptr;
  std::vector<std::unique_ptr<MapLayer>> layers_;  // bottom first
};

// Leading and trailing white space ignored; empty accepted; otherwise a C
// identifier.
bool isValidLayerName(const std::string& text);

// screen extent + ceil(parallax * (primary extent - screen extent)).
int layerSizeForParallax(double parallax, int primaryExtent, int screenExtent);

}  // namespace qarto
