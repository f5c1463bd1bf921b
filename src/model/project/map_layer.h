#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/instance_serial.h"
#include "model/project/layer_kind.h"
#include "model/project/map_cell.h"

namespace qarto {

inline constexpr std::size_t kLayerNameSize = 32;  // 31 characters and the terminator
inline constexpr int kEntitySlots = 32;
inline constexpr int kEntityRecordSize = 48;
inline constexpr std::size_t kEntityBlockSize = kEntitySlots * kEntityRecordSize;  // 1536

// One layer of the stack. Layers are owned by the MapProject through
// unique_ptr, so a MapLayer* stays valid while the layer is in the stack (or
// held by an undo entry): undo entries and the active layer refer to layers
// by address.
struct MapLayer {
  LayerKind kind = LayerKind::Primary;
  std::array<char, kLayerNameSize> name{};  // NUL-terminated
  bool visible = true;
  bool alpha = false;
  bool locked = false;
  std::uint16_t width = 32;
  std::uint16_t height = 32;
  float parallaxX = 1.0f;
  float parallaxY = 1.0f;
  std::vector<MapCell> cells;          // width * height, row by row (not Entity)
  std::vector<std::uint8_t> entities;  // kEntityBlockSize bytes (Entity only)
  bool tileGrouping = false;
  InstanceSerial serial;  // what a cache keys the layer by, never its address

  std::string nameText() const;
  // Keeps the first 31 characters; the 32nd byte is always the terminator.
  void setName(const std::string& text);

  bool isEntityLayer() const { return kind == LayerKind::Entity; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  // Callers bound-check with contains() first.
  MapCell& cell(int x, int y) { return cells[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * width]; }
  const MapCell& cell(int x, int y) const {
    return cells[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * width];
  }
};

}  // namespace qarto
