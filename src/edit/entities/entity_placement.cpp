#include "edit/entities/entity_placement.h"

#include "edit/entities/entity_catalogue.h"
#include "edit/entities/entity_record.h"
#include "edit/state/engine_state.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/map_project.h"

namespace qarto {

namespace {

// The active layer when it is an entity layer.
MapLayer* activeEntityLayer(EngineState& state) {
  MapLayer* active = state.activeLayer();
  return active != nullptr && active->isEntityLayer() ? active : nullptr;
}

int mapCoordinate(int scroll, int point, int origin, float zoom) {
  return truncToInt(static_cast<float>(static_cast<long long>(scroll) + point - origin) / zoom);
}

// Makes one undo step of an edit of the layer's block.
template <typename Edit>
void recordEntityEdit(MapProject& project, MapLayer& layer, Edit edit) {
  std::vector<std::uint8_t> former = layer.entities;
  const std::int32_t formerSelected = project.selectedEntity;
  edit();
  if (layer.entities == former) return;
  project.journal().recordEntitiesEdited(&layer, std::move(former), formerSelected);
  project.modified = true;
}

int addClamped(int value, long long delta) {
  const long long sum = value + delta;
  return sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : static_cast<int>(sum);
}

}  // namespace

CellPoint entityMapPoint(const EngineState& state, ViewPoint point) {
  const MapGeometry g = state.geometry();
  return {mapCoordinate(g.scrollX, point.x, g.originX, g.zoom), mapCoordinate(g.scrollY, point.y, g.originY, g.zoom)};
}

int entityAt(const MapLayer& layer, CellPoint p) {
  for (int slot = 0; slot < kEntitySlots; ++slot) {
    const std::optional<EntityRecord> e = readEntity(layer, slot);
    if (!e || !e->inUse) continue;
    const long long x = e->x;
    const long long y = e->y;
    // The sprite as drawn: one map pixel per sprite pixel, as on the console.
    constexpr int half = kEntitySpriteSize / 2;
    if (x - half <= p.x && p.x <= x + half && y - kEntitySpriteSize <= p.y && p.y <= y) return slot;
  }
  return -1;
}

void spawnEntity(EngineState& state, int type) {
  MapProject& project = state.project();
  MapLayer* layer = project.findLayerOfKind(LayerKind::Entity);
  if (layer == nullptr) {
    if (state.activeLayer() == nullptr) return;
    if (project.services().messageBox(kNoEntityLayerQuestion, caption(), MessageButtons::YesNo,
                                      MessageIcon::Question) != MessageAnswer::Yes) {
      return;
    }
    layer = project.addLayer("Entities", 0, 0, 1.0f, 1.0f, LayerKind::Entity, true);
    if (layer == nullptr) return;
  }
  const int slot = firstFreeEntitySlot(*layer);
  if (slot < 0) {
    project.services().messageBox(kNoFreeEntitiesMessage, caption(), MessageButtons::Ok, MessageIcon::None);
    return;
  }
  const ViewPoint mouse = state.view.mouse;
  const CellPoint at = entityMapPoint(state, mouse);
  const EntityRecord spawned{true, static_cast<std::uint16_t>(type), 1, at.x, addClamped(at.y, 10)};
  recordEntityEdit(project, *layer, [&] { writeEntity(*layer, slot, spawned); });
  project.selectedEntity = slot;
  state.entityDrag = {true, mouse, layer};
  state.requests.focus = true;
  state.redraw();
}

namespace {

// Changes the selected entity of the active entity layer, when that slot
// holds one, as one undo step.
template <typename Change>
void changeSelectedEntity(EngineState& state, Change change) {
  MapLayer* layer = activeEntityLayer(state);
  MapProject& project = state.project();
  if (layer == nullptr) return;
  std::optional<EntityRecord> e = readEntity(*layer, project.selectedEntity);
  if (!e || !e->inUse) return;
  change(*e);
  recordEntityEdit(project, *layer, [&] { writeEntity(*layer, project.selectedEntity, *e); });
  state.redraw();
}

}  // namespace

void deleteSelectedEntity(EngineState& state) {
  changeSelectedEntity(state, [](EntityRecord& e) { e.inUse = false; });
}

void cloneSelectedEntity(EngineState& state) {
  MapLayer* layer = activeEntityLayer(state);
  MapProject& project = state.project();
  if (layer == nullptr) return;
  const std::optional<EntityRecord> source = readEntity(*layer, project.selectedEntity);
  if (!source || !source->inUse) return;
  const int slot = firstFreeEntitySlot(*layer);
  if (slot < 0) {
    project.services().messageBox(kNoFreeEntitiesMessage, caption(), MessageButtons::Ok, MessageIcon::None);
    return;
  }
  recordEntityEdit(project, *layer, [&] { writeEntity(*layer, slot, *source); });
  state.redraw();
}

void flipSelectedEntity(EngineState& state) {
  changeSelectedEntity(state, [](EntityRecord& e) { e.facing = static_cast<std::int8_t>(-e.facing); });
}

void grabEntity(EngineState& state, ViewPoint point) {
  MapLayer* layer = activeEntityLayer(state);
  if (layer == nullptr) return;
  const int slot = entityAt(*layer, entityMapPoint(state, point));
  if (slot < 0) return;  // a miss keeps the selection
  state.project().selectedEntity = slot;
  state.entityDrag = {true, point, layer};
}

void dropEntity(EngineState& state, ViewPoint point) {
  EntityDrag drag = state.entityDrag;
  state.entityDrag = {};
  MapProject& project = state.project();
  if (!drag.dragging || !project.contains(drag.layer)) return;
  std::optional<EntityRecord> e = readEntity(*drag.layer, project.selectedEntity);
  if (!e || !e->inUse) return;
  const float zoom = state.view.mapZoom;
  const EntityRecord before = *e;
  e->x = truncToInt(static_cast<float>(e->x) + static_cast<float>(point.x - drag.grab.x) / zoom);
  e->y = truncToInt(static_cast<float>(e->y) + static_cast<float>(point.y - drag.grab.y) / zoom);
  if (*e == before) return;
  recordEntityEdit(project, *drag.layer, [&] { writeEntity(*drag.layer, project.selectedEntity, *e); });
  state.redraw();
}

}  // namespace qarto
