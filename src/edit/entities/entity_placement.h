#pragma once

#include "edit/view/view_geometry.h"

namespace qarto {

struct EngineState;
struct MapLayer;

// The entities of the Entities bar and the Entity Placement tool. The
// selection is the project's selected slot; a drag moves it by the mouse
// movement divided by the zoom when the button comes up. Every change of an
// entity is one undo step and marks the project modified.

inline constexpr const char* kNoEntityLayerQuestion =
    "No entity layer is present in your project, would you like to add one?";
inline constexpr const char* kNoFreeEntitiesMessage = "Darn, no free entities!";

// The map pixel under a window point: trunc((scroll + point - origin) / zoom).
CellPoint entityMapPoint(const EngineState& state, ViewPoint point);

// The first slot in use whose sprite (64 pixels high, 32 either side of its
// foot point) covers the map point; -1 for none.
int entityAt(const MapLayer& layer, CellPoint mapPoint);

// Spawn: a new entity of catalogue row `type` at the mouse, selected and
// grabbed. Offers to add an entity layer when there is none.
void spawnEntity(EngineState& state, int type);
void deleteSelectedEntity(EngineState& state);
void cloneSelectedEntity(EngineState& state);
// HFlip on an entity layer: the selected entity turns round.
void flipSelectedEntity(EngineState& state);

// The Entity Placement tool's left press and release.
void grabEntity(EngineState& state, ViewPoint point);
void dropEntity(EngineState& state, ViewPoint point);

}  // namespace qarto
