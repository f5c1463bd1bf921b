#include "export/rom/map_rom.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "export/export_preparation.h"
#include "export/reduction/array_values.h"
#include "export/reduction/screen_entry_table.h"
#include "io/files/file_bytes.h"
#include "model/app_title.h"
#include "model/byte_order.h"
#include "model/project/editor_session.h"
#include "model/project/layer_kind.h"
#include "model/project/map_project.h"
#include "rom/map_rom_format.h"

namespace qarto {

namespace {

static_assert(sizeof(qmap_header) == 136 && sizeof(qmap_layer) == 20, "the ROM reads the header as laid out");

constexpr std::size_t kTileBytes = 32;
constexpr std::size_t kHeaderChecksumAt = 0xBD;

void refuse(EditorSession& session, const std::string& text) {
  session.services().messageBox(text, caption(kRunMapCaptionSuffix), MessageButtons::Ok, MessageIcon::Warning);
}

std::vector<const MapLayer*> tileLayers(const MapProject& project) {
  std::vector<const MapLayer*> layers;
  for (const auto& layer : project.layers()) {
    if (isTileLayerKind(layer->kind)) layers.push_back(layer.get());
  }
  return layers;
}

// The map offset the player's block names, or 0 when `rom` is no player.
std::uint32_t mapOffsetOf(const std::vector<std::uint8_t>& rom) {
  const std::size_t at = QPLAYER_INFO_OFFSET;
  if (rom.size() < at + sizeof(qplayer_info) || rom[3] != 0xEA) return 0;
  const std::uint8_t* info = rom.data() + at;
  if (loadU32(info + offsetof(qplayer_info, magic)) != QPLAYER_MAGIC ||
      loadU16(info + offsetof(qplayer_info, map_version)) != QMAP_VERSION) {
    return 0;
  }
  const std::uint32_t offset = loadU32(info + offsetof(qplayer_info, map_offset));
  return offset >= rom.size() && offset % 4 == 0 && offset < kMaxCartridgeBytes ? offset : 0;
}

std::int32_t fixedPoint(float value) {
  const double scaled = std::round(static_cast<double>(value) * 65536.0);
  if (!(scaled == scaled)) return 0;  // NaN
  return static_cast<std::int32_t>(std::clamp(scaled, -2147483648.0, 2147483647.0));
}

// Appends little-endian u16 values, 4-byte aligned; returns their offset.
std::uint32_t appendValues(std::vector<std::uint8_t>& blob, const std::vector<std::uint16_t>& values) {
  blob.resize((blob.size() + 3) / 4 * 4);
  const auto offset = static_cast<std::uint32_t>(blob.size());
  blob.resize(blob.size() + values.size() * 2);
  for (std::size_t i = 0; i < values.size(); ++i) storeU16(blob.data() + offset + 2 * i, values[i]);
  return offset;
}

// The tile slot that shows nothing in a group: the first blank unique tile,
// or a blank tile appended where the group has room. Tile 0 when the group
// is full of drawn tiles.
int blankSlot(std::vector<std::uint16_t>& tiles, int offset, int capacity, bool wraps) {
  const int count = static_cast<int>(tiles.size() / 16);
  for (int tile = 0; tile < count; ++tile) {
    const auto first = tiles.begin() + tile * 16;
    if (std::all_of(first, first + 16, [](std::uint16_t v) { return v == 0; })) return (offset + tile) % capacity;
  }
  if (offset + count < capacity || (wraps && offset > 0)) {
    tiles.insert(tiles.end(), 16, 0);
    return (offset + count) % capacity;
  }
  return offset % capacity;
}

class MapRomBuilder {
 public:
  MapRomBuilder(EditorSession& session, const MapRomRequest& request, ExportReduction& reduction)
      : session_(session), request_(request), reduction_(reduction) {
    blob_.resize(sizeof(qmap_header));
  }

  std::vector<std::uint8_t> build(const std::vector<const MapLayer*>& layers);

 private:
  template <typename T>
  void put(std::size_t at, T value) {
    if constexpr (sizeof(T) == 2) storeU16(blob_.data() + at, static_cast<std::uint16_t>(value));
    if constexpr (sizeof(T) == 4) storeU32(blob_.data() + at, static_cast<std::uint32_t>(value));
  }
  void putLayer(int n, const MapLayer& layer, std::uint16_t blankEntry, const ScreenEntryTable& entries);

  EditorSession& session_;
  const MapRomRequest& request_;
  ExportReduction& reduction_;
  std::vector<std::uint8_t> blob_;
};

void MapRomBuilder::putLayer(int n, const MapLayer& layer, std::uint16_t blankEntry, const ScreenEntryTable& entries) {
  const std::vector<bool> registered = registeredPages(session_.registry());
  const int group = tileGroupOf(layer);
  std::vector<std::uint16_t> values;
  values.reserve(layer.cells.size());
  // A cell of an unregistered page shows nothing, as in the editor.
  for (const MapCell& cell : layer.cells) {
    values.push_back(registered[static_cast<std::size_t>(cell.tileset + 128)] ? entries.encode(cell, group)
                                                                              : blankEntry);
  }
  const std::size_t at = offsetof(qmap_header, layers) + static_cast<std::size_t>(n) * sizeof(qmap_layer);
  put(at + offsetof(qmap_layer, width), static_cast<std::uint16_t>(layer.width));
  put(at + offsetof(qmap_layer, height), static_cast<std::uint16_t>(layer.height));
  put(at + offsetof(qmap_layer, group), static_cast<std::uint16_t>(group));
  put(at + offsetof(qmap_layer, blank_entry), blankEntry);
  put(at + offsetof(qmap_layer, parallax_x), fixedPoint(layer.parallaxX));
  put(at + offsetof(qmap_layer, parallax_y), fixedPoint(layer.parallaxY));
  const std::uint32_t offset = appendValues(blob_, values);
  put(at + offsetof(qmap_layer, map_offset), offset);
}

std::vector<std::uint8_t> MapRomBuilder::build(const std::vector<const MapLayer*>& layers) {
  // The camera follows the primary layer; a map without one follows its bottom layer.
  const MapLayer* primary = layers.front();
  for (const MapLayer* layer : layers) {
    if (layer->kind == LayerKind::Primary) primary = layer;
  }
  const int maxX = std::max(0, primary->width * 8 - QMAP_SCREEN_WIDTH);
  const int maxY = std::max(0, primary->height * 8 - QMAP_SCREEN_HEIGHT);
  put(offsetof(qmap_header, magic), QMAP_MAGIC);
  put(offsetof(qmap_header, version), static_cast<std::uint16_t>(QMAP_VERSION));
  put(offsetof(qmap_header, header_size), static_cast<std::uint16_t>(sizeof(qmap_header)));
  put(offsetof(qmap_header, layer_count), static_cast<std::uint16_t>(layers.size()));
  put(offsetof(qmap_header, speed), static_cast<std::uint16_t>(kMapPlayerSpeed));
  put(offsetof(qmap_header, start_x), static_cast<std::int32_t>(std::clamp(request_.startX, 0, maxX)));
  put(offsetof(qmap_header, start_y), static_cast<std::int32_t>(std::clamp(request_.startY, 0, maxY)));
  put(offsetof(qmap_header, camera_max_x), static_cast<std::int32_t>(maxX));
  put(offsetof(qmap_header, camera_max_y), static_cast<std::int32_t>(maxY));
  put(offsetof(qmap_header, bank_offset), static_cast<std::uint16_t>(request_.bankOffset));
  put(offsetof(qmap_header, tile_offset), static_cast<std::uint16_t>(request_.tileOffset));

  PaletteArrayOptions palette;
  palette.autoPad = false;
  const std::vector<std::uint16_t> colours = paletteValues(reduction_, session_.registry(), palette);
  put(offsetof(qmap_header, palette_offset), appendValues(blob_, colours));
  put(offsetof(qmap_header, palette_colours), static_cast<std::uint32_t>(colours.size()));

  std::uint16_t blankEntries[2] = {0, 0};
  for (int group = 0; group < 2; ++group) {
    std::vector<std::uint16_t> tiles = tileValues(reduction_.tiles[static_cast<std::size_t>(group)]);
    blankEntries[group] =
        static_cast<std::uint16_t>(group == 0 ? blankSlot(tiles, request_.tileOffset, QMAP_GROUP1_TILES, true)
                                              : blankSlot(tiles, request_.tileOffset, QMAP_GROUP2_TILES, false));
    put(offsetof(qmap_header, tiles_offset) + 4 * static_cast<std::size_t>(group), appendValues(blob_, tiles));
    put(offsetof(qmap_header, tile_count) + 4 * static_cast<std::size_t>(group),
        static_cast<std::uint32_t>(tiles.size() / 16));
  }
  const ScreenEntryTable entries(reduction_, request_.bankOffset, request_.tileOffset);
  for (std::size_t n = 0; n < layers.size(); ++n) {
    putLayer(static_cast<int>(n), *layers[n], blankEntries[tileGroupOf(*layers[n])], entries);
  }
  return std::move(blob_);
}

}  // namespace

std::string baseRomUnreadableText(const std::string& path) {
  return "The map player ROM could not be read:\n\n  " + path + "\n\nIt must be the " + kBaseRomName +
         " built with this version of Qarto.";
}

std::optional<std::vector<std::uint8_t>> readBaseRom(EditorSession& session, const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (readFileBytes(path, bytes, kMaxCartridgeBytes) != ReadStatus::Ok || mapOffsetOf(bytes) == 0) {
    refuse(session, baseRomUnreadableText(path));
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::vector<std::uint8_t>> buildMapRom(EditorSession& session, const std::vector<std::uint8_t>& baseRom,
                                                     const MapRomRequest& request) {
  const std::uint32_t mapOffset = mapOffsetOf(baseRom);
  if (mapOffset == 0) {
    refuse(session, baseRomUnreadableText(kBaseRomName));
    return std::nullopt;
  }
  MapProject& project = session.project();
  const std::vector<const MapLayer*> layers = tileLayers(project);
  if (layers.size() > static_cast<std::size_t>(kMapPlayerLayers)) {
    refuse(session, "The GBA shows at most four background layers, and this map has " + std::to_string(layers.size()) +
                        " tile layers.  Merge or delete layers to run it.");
    return std::nullopt;
  }
  ExportRequest exportRequest;
  exportRequest.bankOffset = request.bankOffset;
  exportRequest.tileOffset = request.tileOffset;
  PreparedExport prepared = prepareExport(project, exportRequest);
  if (!prepared.ready()) return std::nullopt;  // the export's refusal has been shown
  if (layers.empty()) {
    refuse(session, kNoTileLayersToRunMessage);
    return std::nullopt;
  }
  if (prepared.reduction.usesGroup2 && request.tileOffset + prepared.reduction.tileCount(1) > QMAP_GROUP2_TILES) {
    refuse(session, kGroup2OverflowMessage);
    return std::nullopt;
  }
  std::size_t cells = 0;
  for (const MapLayer* layer : layers) cells += layer->cells.size();
  if (mapOffset + sizeof(qmap_header) + 4096 + 2 * kTileBytes * QMAP_GROUP1_TILES + 2 * cells > kMaxCartridgeBytes) {
    refuse(session, kCartridgeOverflowMessage);
    return std::nullopt;
  }
  const std::vector<std::uint8_t> map = MapRomBuilder(session, request, prepared.reduction).build(layers);
  std::vector<std::uint8_t> rom(baseRom);
  rom.resize(mapOffset, 0);
  rom.insert(rom.end(), map.begin(), map.end());
  // The cartridge header's checksum, over the bytes from the title on.
  std::uint8_t checksum = 0;
  for (std::size_t at = 0xA0; at < kHeaderChecksumAt; ++at) checksum = static_cast<std::uint8_t>(checksum - rom[at]);
  rom[kHeaderChecksumAt] = static_cast<std::uint8_t>(checksum - 0x19);
  return rom;
}

}  // namespace qarto
