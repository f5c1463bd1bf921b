#include "io/map_file/map_layer_record.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "io/map_file/map_file_format.h"
#include "model/byte_order.h"

namespace qarto {

namespace {

// Where the fields both header layouts hold lie.
struct HeaderLayout {
  std::size_t name, visible, alpha, locked, width, height, parallaxX, parallaxY;
};
constexpr HeaderLayout kOldLayout{layer_old::kName,  layer_old::kVisible, layer_old::kAlpha,     layer_old::kLocked,
                                  layer_old::kWidth, layer_old::kHeight,  layer_old::kParallaxX, layer_old::kParallaxY};
constexpr HeaderLayout kNewLayout{layer7::kName,  layer7::kVisible, layer7::kAlpha,     layer7::kLocked,
                                  layer7::kWidth, layer7::kHeight,  layer7::kParallaxX, layer7::kParallaxY};

}  // namespace

bool decodeLayerHeader(const std::uint8_t* h, int revision, MapLayer& layer) {
  const bool old = revision <= 5;
  if (old) {
    // No kind field: the collision flag wins over the primary flag.
    if (h[layer_old::kCollisionFlag] != 0) {
      layer.kind = LayerKind::Collision;
    } else {
      layer.kind = h[layer_old::kPrimaryFlag] != 0 ? LayerKind::Primary : LayerKind::Secondary;
    }
  } else {
    const std::int32_t kind = loadI32(h + layer7::kKind);
    if (kind < static_cast<std::int32_t>(LayerKind::Primary) || kind > static_cast<std::int32_t>(LayerKind::Entity)) {
      return false;
    }
    layer.kind = static_cast<LayerKind>(kind);
  }
  const HeaderLayout& at = old ? kOldLayout : kNewLayout;
  std::memcpy(layer.name.data(), h + at.name, kLayerNameSize);
  layer.name.back() = '\0';  // a stored name may lack its terminator
  layer.visible = h[at.visible] != 0;
  layer.alpha = h[at.alpha] != 0;
  layer.locked = h[at.locked] != 0;
  layer.width = loadU16(h + at.width);
  layer.height = loadU16(h + at.height);
  layer.parallaxX = loadF32(h + at.parallaxX);
  layer.parallaxY = loadF32(h + at.parallaxY);
  layer.tileGrouping = revision >= 7 && h[layer7::kTileGrouping] != 0;
  return true;
}

void encodeLayerHeader(const MapLayer& layer, std::uint8_t* h) {
  using namespace layer7;
  std::fill(h, h + kSize, std::uint8_t{0});
  storeI32(h + kKind, static_cast<std::int32_t>(layer.kind));
  const std::size_t nameLength = strnlen(layer.name.data(), kLayerNameSize - 1);
  std::memcpy(h + kName, layer.name.data(), nameLength);
  h[kVisible] = layer.visible ? 1 : 0;
  h[kAlpha] = layer.alpha ? 1 : 0;
  h[kLocked] = layer.locked ? 1 : 0;
  storeU16(h + kWidth, layer.width);
  storeU16(h + kHeight, layer.height);
  storeF32(h + kParallaxX, layer.parallaxX);
  storeF32(h + kParallaxY, layer.parallaxY);
  h[kTileGrouping] = layer.tileGrouping ? 1 : 0;
}

void encodeCells(const MapCell* cells, std::size_t count, std::uint8_t* bytes) {
  if (count == 0) return;  // an empty layer may have no buffer at all
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(bytes, static_cast<const void*>(cells), count * MapCell::kSize);
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const MapCell::Bytes b = cells[i].toBytes();
    std::memcpy(bytes + i * MapCell::kSize, b.data(), MapCell::kSize);
  }
}

void decodeCells(const std::uint8_t* bytes, std::size_t count, std::size_t cellBytes, MapCell* cells) {
  if (count == 0) return;  // a 0-wide layer has no buffer at all
  if (cellBytes == MapCell::kSize) {
    // A cell is stored exactly as it lies in memory on a little-endian host.
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(static_cast<void*>(cells), bytes, count * MapCell::kSize);
      return;
    }
    for (std::size_t i = 0; i < count; ++i) cells[i] = MapCell::fromBytes(bytes + i * MapCell::kSize);
    return;
  }
  // Old maps store 6-byte cells without the collision word.
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* b = bytes + i * cell_v1::kSize;
    MapCell& cell = cells[i];
    cell = MapCell{};
    cell.tile = static_cast<std::int16_t>(loadU16(b));
    cell.tileset = static_cast<std::int8_t>(b[2]);
    cell.palette = b[3];
    cell.flags = static_cast<std::uint8_t>(b[cell_v1::kFlags] & kCellFlagBits);
  }
}

}  // namespace qarto
