#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/project/map_cell.h"
#include "model/project/map_layer.h"
#include "model/tileset/indexed_image.h"

namespace qarto {

class MapProject;

enum class UndoKind : int {
  LayerAdded = 0,          // applying takes the layer out of the stack
  LayerMoved = 1,
  LayerDeleted = 2,        // applying puts the owned layer back into the stack
  LayerCellsReplaced = 3,
  LayerFlipped = 4,
  CellsEdited = 5,
  LayersResized = 6,       // cell arrays, sizes and parallax of one or more layers
  EntitiesEdited = 7,      // an entity layer's block and the selected slot
};

// Mirrors a layer in place; applying a flip runs the same flip again.
using LayerFlipper = std::function<void(MapLayer& layer, bool horizontal)>;

// Cells of one layer saved under their cell numbers (x + y * width): before
// the action on the undo side, after it on the redo side.
struct SavedCells {
  MapLayer* layer = nullptr;
  std::vector<std::uint32_t> numbers;
  std::vector<MapCell> cells;
  std::vector<std::uint64_t> seen;  // while recording: which numbers are saved

  std::size_t size() const { return numbers.size(); }
};

// A layer's cell array with the size it belongs to, and the parallax that
// goes with the size (a secondary layer resized to a new parallax).
struct LayerShape {
  MapLayer* layer = nullptr;
  std::vector<MapCell> cells;
  std::vector<std::uint8_t> entities;  // an entity layer's block
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  float parallaxX = 1.0f;
  float parallaxY = 1.0f;
};

// A layer's visibility on the other side of the action (merge hides the
// layer beneath).
struct LayerVisibility {
  MapLayer* layer = nullptr;
  bool visible = true;
};

// A tile page's pixels and palette on the other side of the action (the
// palette remapper rewrites both); found again by its id.
struct PageContent {
  std::int32_t tilesetId = -1;
  std::vector<std::uint8_t> pixels;
  std::array<std::uint8_t, kPaletteBytes> palette{};
};

// One undoable user action. Only the fields of its kind are used. Applying
// an entry takes its action back (or, on the redo side, does it again) and
// leaves in the entry what is needed to go the other way, so the same entry
// moves between the undo and the redo stack.
struct UndoEntry {
  UndoKind kind = UndoKind::CellsEdited;
  MapLayer* layer = nullptr;             // every kind (not owned, except via ownedLayer)
  MapLayer* previouslyActive = nullptr;  // LayerAdded: the layer made active when it is taken out
  bool restoreActive = true;             // LayerAdded: also when another layer is active by then
  bool activate = false;                 // LayerDeleted: the layer becomes active when put back
  MapLayer* lower = nullptr;             // LayerMoved, LayerDeleted: neighbour below before the change
  MapLayer* upper = nullptr;             // LayerMoved, LayerDeleted: neighbour above before the change
  bool reanchorOnUpper = false;          // LayerMoved
  std::unique_ptr<MapLayer> ownedLayer;  // LayerDeleted: the layer out of the stack
  std::vector<MapCell> formerCells;      // LayerCellsReplaced
  std::uint16_t formerWidth = 0;         // LayerCellsReplaced
  std::uint16_t formerHeight = 0;
  bool horizontal = false;  // LayerFlipped
  LayerFlipper flipper;     // LayerFlipped
  // CellsEdited: the edited layer's cells first, then those of layers the
  // action changed alongside it (auto-painted collision cells).
  std::vector<SavedCells> savedCells;
  std::vector<LayerShape> shapes;               // LayersResized
  std::vector<std::uint8_t> entityBlock;        // EntitiesEdited
  std::int32_t selectedEntity = -1;             // EntitiesEdited
  std::vector<LayerVisibility> visibility;      // any kind
  std::vector<PageContent> pages;               // any kind
};

// Applies `entry` to the project and turns it into its own inverse. Never
// writes outside a layer's cells and skips layers no longer in the stack;
// false when the entry no longer applies at all (its layer or the neighbour
// it moves against has gone), and then nothing was changed.
bool applyUndoEntry(UndoEntry& entry, MapProject& project);

}  // namespace qarto
