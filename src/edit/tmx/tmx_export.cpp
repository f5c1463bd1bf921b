#include "edit/tmx/tmx_export.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "edit/entities/entity_catalogue.h"
#include "edit/entities/entity_record.h"
#include "edit/tmx/tmx_import.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

// A page's tile sets: for each tile the palette rows its cells use, the
// row of its top-left pixel first; set k serves each tile's k-th row.
struct PageSets {
  const Tileset* page = nullptr;
  std::vector<std::vector<std::uint8_t>> rows;
  std::vector<std::uint32_t> firstGids;  // one per set

  std::size_t setCount() const {
    std::size_t count = 1;
    for (const auto& tileRows : rows) count = std::max(count, tileRows.size());
    return count;
  }
};

bool isTileLayer(const MapLayer& layer) { return layer.kind == LayerKind::Primary || layer.kind == LayerKind::Secondary; }

std::string fileSafe(const std::string& text) {
  std::string out;
  for (char c : text) out += std::isalnum(static_cast<unsigned char>(c)) || c == '-' ? c : '_';
  return out.empty() ? "page" : out;
}

class Exporter {
 public:
  Exporter(const MapProject& project, const TilesetRegistry& registry, const EntityCatalogue& catalogue,
           const std::string& tmxPath, TmxExport& out)
      : project_(project), registry_(registry), catalogue_(catalogue), path_(tmxPath), out_(out) {}

  void run() {
    TmxMap& map = out_.map;
    map.path = path_;
    const MapLayer* primary = project_.findLayerOfKind(LayerKind::Primary);
    if (primary == nullptr && project_.hasLayers()) primary = project_.layers().front().get();
    if (primary != nullptr) {
      map.width = primary->width;
      map.height = primary->height;
    }
    collectRows();
    addTilesets();
    for (const auto& layer : project_.layers()) addLayer(*layer);
  }

 private:
  PageSets* pageOf(const MapCell& cell) {
    auto it = pages_.find(cell.tileset);
    if (it == pages_.end() || cell.tile < 0 || cell.tile >= it->second.page->tileCount) return nullptr;
    return &it->second;
  }

  void collectRows() {
    for (const auto& [id, tileset] : registry_) {
      if (tileset->isCollisionTileset || id > kMaxCellTilesetId) continue;
      PageSets& sets = pages_[id];
      sets.page = tileset.get();
      sets.rows.resize(static_cast<std::size_t>(tileset->tileCount));
    }
    for (const auto& layer : project_.layers()) {
      if (!isTileLayer(*layer)) continue;
      for (const MapCell& cell : layer->cells) {
        PageSets* sets = pageOf(cell);
        if (sets == nullptr) continue;
        std::vector<std::uint8_t>& rows = sets->rows[static_cast<std::size_t>(cell.tile)];
        if (std::find(rows.begin(), rows.end(), cell.palette) == rows.end()) rows.push_back(cell.palette);
      }
    }
    for (auto& [id, sets] : pages_) {
      for (std::size_t tile = 0; tile < sets.rows.size(); ++tile) {
        auto& rows = sets.rows[tile];
        const auto natural = std::find(rows.begin(), rows.end(), tilePaletteRow(*sets.page, static_cast<int>(tile)));
        if (natural != rows.end()) std::rotate(rows.begin(), natural, natural + 1);
      }
    }
  }

  void addTilesets() {
    const std::filesystem::path target(path_);
    const std::string stem = target.stem().string();
    std::set<std::string> names;
    std::uint32_t nextGid = 1;
    for (auto& [id, sets] : pages_) {
      const Tileset& page = *sets.page;
      std::string file = stem + "_" + fileSafe(page.displayName) + ".png";
      if (!names.insert(file).second) file = stem + "_" + fileSafe(page.displayName) + "_" + std::to_string(id) + ".png";
      const std::string filePath = (target.parent_path() / file).string();
      out_.pages.push_back({filePath, &page});
      for (std::size_t k = 0; k < sets.setCount(); ++k) {
        TmxTileset set;
        set.firstGid = nextGid;
        set.name = page.displayName + (k == 0 ? "" : "_row_set" + std::to_string(k + 1));
        set.tileWidth = set.tileHeight = kTileSide;
        set.tileCount = page.tileCount;
        set.columns = page.imageWidth / kTileSide;
        set.image = file;
        set.imagePath = filePath;
        set.imageWidth = page.imageWidth;
        set.imageHeight = page.imageHeight;
        for (std::size_t tile = 0; tile < sets.rows.size(); ++tile) {
          const auto& rows = sets.rows[tile];
          if (rows.size() <= k || (k == 0 && rows[0] == tilePaletteRow(page, static_cast<int>(tile)))) continue;
          set.tiles.push_back({static_cast<std::uint32_t>(tile), {{kTmxPaletteProperty, "int", std::to_string(rows[k])}}});
        }
        sets.firstGids.push_back(nextGid);
        nextGid += static_cast<std::uint32_t>(page.tileCount);
        out_.map.tilesets.push_back(std::move(set));
      }
    }
    collisionGid_ = nextGid;
    if (project_.findLayerOfKind(LayerKind::Collision) != nullptr) {
      TmxTileset set;
      set.firstGid = collisionGid_;
      set.name = kTmxCollisionTileset;
      set.tileWidth = set.tileHeight = kTileSide;
      out_.map.tilesets.push_back(std::move(set));
    }
  }

  std::uint32_t gidOf(const MapLayer& layer, const MapCell& cell) {
    if (layer.kind == LayerKind::Collision) {
      return collisionGid_ + (static_cast<std::uint32_t>(static_cast<std::uint16_t>(cell.tile)) << 16 | cell.collision);
    }
    PageSets* sets = pageOf(cell);
    if (sets == nullptr) return 0;
    const auto& rows = sets->rows[static_cast<std::size_t>(cell.tile)];
    const auto k = static_cast<std::size_t>(std::find(rows.begin(), rows.end(), cell.palette) - rows.begin());
    return (sets->firstGids[k] + static_cast<std::uint32_t>(cell.tile)) | (cell.hflip() ? kTmxFlipH : 0) |
           (cell.vflip() ? kTmxFlipV : 0);
  }

  void addLayer(const MapLayer& layer) {
    TmxLayer out;
    out.id = static_cast<int>(out_.map.layers.size()) + 1;
    out.name = layer.nameText();
    out.visible = layer.visible;
    out.locked = layer.locked;
    out.parallaxX = layer.parallaxX;
    out.parallaxY = layer.parallaxY;
    if (layer.kind == LayerKind::Primary) out.properties.push_back({kTmxKindProperty, "string", "primary"});
    if (layer.kind == LayerKind::Collision) out.properties.push_back({kTmxKindProperty, "string", "collision"});
    if (layer.alpha != (layer.kind == LayerKind::Collision)) {
      out.properties.push_back({kTmxAlphaProperty, "bool", layer.alpha ? "true" : "false"});
    }
    if (layer.tileGrouping) out.properties.push_back({kTmxGroupingProperty, "bool", "true"});
    if (layer.isEntityLayer()) {
      out.kind = TmxLayerKind::Objects;
      addEntities(layer, out);
    } else {
      out.width = layer.width;
      out.height = layer.height;
      out.gids.reserve(layer.cells.size());
      for (const MapCell& cell : layer.cells) out.gids.push_back(gidOf(layer, cell));
    }
    out_.map.layers.push_back(std::move(out));
  }

  void addEntities(const MapLayer& layer, TmxLayer& out) {
    for (int slot = 0; slot < kEntitySlots; ++slot) {
      const std::optional<EntityRecord> record = readEntity(layer, slot);
      if (!record || !record->inUse) continue;
      TmxObject object;
      object.id = slot + 1;
      const EntityType* row = catalogue_.ofType(record->type);
      object.type = row != nullptr ? row->name : std::to_string(record->type);
      object.x = record->x;
      object.y = record->y;
      object.shape = TmxObjectShape::Point;
      if (record->facing < 0) object.properties.push_back({kTmxFacingProperty, "int", "-1"});
      out.objects.push_back(std::move(object));
    }
  }

  const MapProject& project_;
  const TilesetRegistry& registry_;
  const EntityCatalogue& catalogue_;
  std::string path_;
  TmxExport& out_;
  std::map<int, PageSets> pages_;
  std::uint32_t collisionGid_ = 1;
};

}  // namespace

TmxExport exportTmx(const MapProject& project, const TilesetRegistry& registry, const EntityCatalogue& catalogue,
                    const std::string& tmxPath) {
  TmxExport out;
  Exporter(project, registry, catalogue, tmxPath, out).run();
  return out;
}

}  // namespace qarto
