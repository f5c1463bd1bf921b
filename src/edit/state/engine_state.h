#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>

#include "edit/brush/brush_table.h"
#include "edit/brush/detail_shape.h"
#include "edit/collision/collision_flip_tables.h"
#include "edit/collision/flag_paint.h"
#include "edit/entities/entity_catalogue.h"
#include "edit/selection/region_selection.h"
#include "edit/tile_view/tile_view_layout.h"
#include "edit/tools/tool_state.h"
#include "edit/view/input_event.h"
#include "edit/view/view_state.h"
#include "export/budget/cells_at_fault.h"

namespace qarto {

class Clipboard;
class EditorSession;
class MapProject;
struct MapLayer;
struct Tileset;

enum class ContextMenuKind { Map, Tile };

struct ContextMenuRequest {
  ContextMenuKind menu = ContextMenuKind::Map;
  ViewPoint at;
};

// What the window should do after an event; it takes them and clears them.
struct ViewRequests {
  bool redraw = false;
  bool focus = false;
  std::optional<ContextMenuRequest> contextMenu;
};

// An entity being dragged with the Entity Placement tool: the project's
// selected slot of `layer`, grabbed at `grab` (client pixels). The drawing
// shows it shifted by the mouse movement since.
struct EntityDrag {
  bool dragging = false;
  ViewPoint grab;
  MapLayer* layer = nullptr;
};

// The collision flip tables, rebuilt whenever the project's collision
// tileset (or its image) is another than the one they were built from.
class CollisionFlipCache {
 public:
  const CollisionFlipTables& tablesFor(const Tileset* collisionTiles);

 private:
  CollisionFlipTables tables_;
  const Tileset* builtFor_ = nullptr;
  const void* builtPixels_ = nullptr;
  std::size_t builtSize_ = 0;
};

// Everything the map view keeps besides the project: the parts of the
// engine (navigation, map tools, tile picking) share it.
struct EngineState {
  explicit EngineState(EditorSession& editorSession) : session(editorSession) {}

  EditorSession& session;
  ViewState view;
  ToolState tools;
  BrushTable brushes;
  // Shared by the whole program, like the tool settings of a paint program.
  DetailBrush detail;
  TileViewState tileView;
  CollisionFlipCache flips;
  EntityDrag entityDrag;
  FlagsBar flags;                   // the Flags bar: what Flag Paint applies
  std::string cursorTileProperties;  // its "Cursor Tile Properties" read-out
  EntityCatalogue entityCatalogue;  // the Entities bar's list
  int entityType = 0;               // the Entities bar's catalogue row
  bool middleScrolling = false;  // the hand cursor is shown
  bool flagsBarShown = false;
  bool entitiesBarShown = false;
  // The tile layer that was active when Flag Paint or Entity Placement took
  // over; a tile tool goes back to it. Checked against the stack before use.
  MapLayer* lastTileLayer = nullptr;
  std::array<std::string, 3> panes;  // status bar panes 0 to 2
  ViewRequests requests;
  RegionSelection selection;      // the map's rectangle of cells and a paste in progress
  Clipboard* clipboard = nullptr;  // the engine's, never null while it runs
  bool classicKeys = false;        // "Classic keys": the accelerators as they were first
  bool tintUsedOnce = false;  // View > Tint Tiles Used Once
  // The cells a refusal's Show pointed at, framed until the next Show or map.
  std::vector<CellAtFault> markedCells;
  // Validate Tileset's faulty tiles of loaded pages, by page id: framed in the tile view.
  std::map<std::int32_t, std::vector<int>> faultyTiles;

  MapProject& project();
  const MapProject& project() const;
  bool mapOpen() const;
  MapLayer* activeLayer() const;

  // The map geometry for the current client size.
  MapGeometry geometry() const;
  // The cell under a window point in `layer` (the active layer when null;
  // (0, 0) with no layer at all).
  CellPoint cellAt(ViewPoint point, const MapLayer* layer = nullptr) const;

  // The stamp brush with the Rubber Stamp tool in the map view, otherwise
  // the current tileset's brush (none when no page is current).
  Brush* currentBrush();
  const Brush* currentBrush() const;
  const CollisionFlipTables& collisionFlips();

  void redraw() { requests.redraw = true; }
};

}  // namespace qarto
