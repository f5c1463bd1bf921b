#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "edit/collision/flag_paint.h"

namespace qarto {

class MapViewEngine;
struct EntityType;

// The controls of the Flags bar and the Entities bar, as a click on each
// reaches the engine: the editor's bars and edit scripts both come through
// here. Every control closes the open gesture first and hands the keyboard
// focus back to the map view afterwards.
class SideBars {
 public:
  explicit SideBars(MapViewEngine& engine) : engine_(engine) {}

  // --- Flags bar: the flag value Flag Paint applies, and how ---
  // "Markers" and "Damage Type": an entry named "reserved" (any case) selects index 0.
  void selectMarker(int index);
  void selectDamage(int index);
  void setSolid(bool on);
  void setJumpThrough(bool on);
  void setMode(FlagPaintMode mode);
  const FlagsBar& flags() const;
  // The "Cursor Tile Properties" read-out.
  const std::string& cursorTileProperties() const;
  static std::vector<std::string> markerNames();
  static std::vector<std::string> damageNames();

  // --- Entities bar ---
  // "Entity List": false (and nothing changes) for a row outside the list.
  bool selectEntityRow(int row);
  int entityRow() const;
  const EntityType& selectedEntityType() const;
  std::vector<std::string> entityNames() const;
  const std::vector<EntityType>& entityRows() const;
  // Changes whenever the list does (another catalogue was read).
  std::uint32_t catalogueGeneration() const;
  void spawn();
  void deleteSelected();
  void cloneSelected();

 private:
  void before();
  void after();

  MapViewEngine& engine_;
};

}  // namespace qarto
