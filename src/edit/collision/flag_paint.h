#pragma once

#include <cstdint>
#include <string>

#include "edit/view/view_geometry.h"

namespace qarto {

class UndoJournal;
struct MapLayer;

enum class FlagPaintMode : std::int32_t { Add = 0, Remove = 1, Replace = 2 };

// The Flags bar: the flag value Flag Paint applies, and how.
struct FlagsBar {
  std::uint16_t value = 0;
  FlagPaintMode mode = FlagPaintMode::Add;

  // Combo selections: a "reserved" entry (in any case) selects index 0.
  void selectMarker(int index);
  void selectDamage(int index);
  void setSolid(bool on);
  void setJumpThrough(bool on);

  int marker() const;
  int damage() const;
};

// Whether a combo entry name asks for index 0 instead.
bool isReservedName(const std::string& name);

// Add: OR, Remove: AND NOT, Replace: the value itself.
std::uint16_t applyFlags(std::uint16_t flags, std::uint16_t value, FlagPaintMode mode);

// Applies the flag value to one cell of a collision layer (nothing outside
// it or on other layers), saving the cell in the journal's open entry
// first. True when the word changed.
bool paintFlags(MapLayer& layer, CellPoint cell, const FlagsBar& bar, UndoJournal& journal);

// The "Cursor Tile Properties" text for the cell under the cursor.
std::string cursorTileProperties(const MapLayer* active, CellPoint cell);

}  // namespace qarto
