#include "edit/collision/flag_paint.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "edit/collision/collision_word.h"
#include "model/project/map_layer.h"
#include "model/project/undo_journal.h"

namespace qarto {

bool isReservedName(const std::string& name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower.find("reserved") != std::string::npos;
}

void FlagsBar::selectMarker(int index) {
  if (index < 0 || isReservedName(markerName(index)) || markerName(index)[0] == '\0') index = 0;
  value = static_cast<std::uint16_t>((value & ~kMarkerMask) | (index << kMarkerShift));
}

void FlagsBar::selectDamage(int index) {
  if (index < 0 || isReservedName(damageName(index)) || damageName(index)[0] == '\0') index = 0;
  value = static_cast<std::uint16_t>((value & ~kDamageMask) | (index << kDamageShift));
}

void FlagsBar::setSolid(bool on) { value = static_cast<std::uint16_t>(on ? value | kSolidBit : value & ~kSolidBit); }

void FlagsBar::setJumpThrough(bool on) {
  value = static_cast<std::uint16_t>(on ? value | kJumpThroughBit : value & ~kJumpThroughBit);
}

int FlagsBar::marker() const { return markerIndex(value); }
int FlagsBar::damage() const { return damageType(value); }

std::uint16_t applyFlags(std::uint16_t flags, std::uint16_t value, FlagPaintMode mode) {
  switch (mode) {
    case FlagPaintMode::Add: return static_cast<std::uint16_t>(flags | value);
    case FlagPaintMode::Remove: return static_cast<std::uint16_t>(flags & ~value);
    case FlagPaintMode::Replace: return value;
  }
  return flags;
}

bool paintFlags(MapLayer& layer, CellPoint at, const FlagsBar& bar, UndoJournal& journal) {
  if (layer.kind != LayerKind::Collision || !layer.contains(at.x, at.y)) return false;
  MapCell& cell = layer.cell(at.x, at.y);
  const std::uint16_t painted = applyFlags(cell.collision, bar.value, bar.mode);
  if (painted == cell.collision) return false;
  journal.recordCell(at.x, at.y, cell);
  cell.collision = painted;
  return true;
}

std::string cursorTileProperties(const MapLayer* active, CellPoint at) {
  if (active == nullptr || active->kind != LayerKind::Collision) return " Collision layer not active";
  if (!active->contains(at.x, at.y)) return " Out of bounds";
  const MapCell& cell = active->cell(at.x, at.y);
  const int index = collisionIndex(cell.tile);
  char head[64];
  std::snprintf(head, sizeof head, " Collision index: %02i (0x%02X)\n\n", index, index);
  std::string text = head;
  const int marker = markerIndex(cell.collision);
  if (marker != 0 && markerName(marker)[0] != '\0') text += std::string(" ") + markerName(marker) + "\n";
  const int damage = damageType(cell.collision);
  if (damage != 0) text += std::string(" ") + damageName(damage) + "\n";
  for (const FlagDefinition& flag : flagDefinitions()) {
    if (!flag.inUse) break;
    if ((cell.collision >> flag.bit) & 1u) text += " " + flag.name + "\n";
  }
  return text;
}

}  // namespace qarto
