#include "edit/engine/side_bars.h"

#include "edit/collision/collision_word.h"
#include "edit/engine/map_view_engine.h"
#include "edit/entities/entity_placement.h"

namespace qarto {

void SideBars::before() { engine_.endStroke(); }

void SideBars::after() {
  engine_.state().requests.focus = true;
  engine_.state().redraw();
}

void SideBars::selectMarker(int index) {
  before();
  engine_.state().flags.selectMarker(index);
  after();
}

void SideBars::selectDamage(int index) {
  before();
  engine_.state().flags.selectDamage(index);
  after();
}

void SideBars::setSolid(bool on) {
  before();
  engine_.state().flags.setSolid(on);
  after();
}

void SideBars::setJumpThrough(bool on) {
  before();
  engine_.state().flags.setJumpThrough(on);
  after();
}

void SideBars::setMode(FlagPaintMode mode) {
  before();
  engine_.state().flags.mode = mode;
  after();
}

const FlagsBar& SideBars::flags() const { return engine_.state().flags; }

const std::string& SideBars::cursorTileProperties() const { return engine_.state().cursorTileProperties; }

std::vector<std::string> SideBars::markerNames() { return {kMarkerNames.begin(), kMarkerNames.end()}; }

std::vector<std::string> SideBars::damageNames() { return {kDamageNames.begin(), kDamageNames.end()}; }

bool SideBars::selectEntityRow(int row) {
  if (engine_.state().entityCatalogue.row(row) == nullptr) return false;
  before();
  engine_.state().entityType = row;
  after();
  return true;
}

int SideBars::entityRow() const { return engine_.state().entityType; }

const EntityType& SideBars::selectedEntityType() const {
  const EngineState& state = engine_.state();
  const EntityType* row = state.entityCatalogue.row(state.entityType);
  return row != nullptr ? *row : state.entityCatalogue.rows().front();
}

std::vector<std::string> SideBars::entityNames() const {
  std::vector<std::string> names;
  for (const EntityType& row : engine_.state().entityCatalogue.rows()) names.push_back(row.name);
  return names;
}

const std::vector<EntityType>& SideBars::entityRows() const { return engine_.state().entityCatalogue.rows(); }

std::uint32_t SideBars::catalogueGeneration() const { return engine_.state().entityCatalogue.generation(); }

void SideBars::spawn() {
  before();
  spawnEntity(engine_.state(), selectedEntityType().type);
  after();
}

void SideBars::deleteSelected() {
  before();
  deleteSelectedEntity(engine_.state());
  after();
}

void SideBars::cloneSelected() {
  before();
  cloneSelectedEntity(engine_.state());
  after();
}

}  // namespace qarto
