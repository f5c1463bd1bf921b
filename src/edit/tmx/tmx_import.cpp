#include "edit/tmx/tmx_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <stdexcept>

#include "edit/entities/entity_catalogue.h"
#include "edit/entities/entity_record.h"
#include "export/picture/picture_page.h"
#include "io/images/tile_page_reader.h"
#include "io/picture/picture_reader.h"

namespace qarto {

namespace {

// Cells keep the tile number in a signed 16-bit field.
constexpr int kMaxPageTiles = 32768;

struct Refusal : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What the import knows of one tile set of the map.
struct SetInfo {
  bool used = false;   // a tile layer's cell shows one of its tiles
  int page = -1;       // index into the pages
  std::vector<std::uint8_t> palette;  // palette row per local tile id
};

// What was left out, counted by kind, for the summary.
struct LeftOut {
  std::map<std::string, int> counts;
  void add(const std::string& what) { ++counts[what]; }
  std::string text() const {
    std::string out;
    for (const auto& [what, count] : counts) out += (out.empty() ? "" : ", ") + std::to_string(count) + " " + what;
    return out;
  }
};

// An indexed page is taken as it is, so its indices survive a round trip;
// any other picture (truecolour, most often) is converted, its tiles kept
// in place, each given the palette bank its colours were packed into.
bool readPageFile(Tileset& page, std::string& message) {
  DisplayImage display;
  if (readTilePage(page, display, message)) return true;
  DisplayImage picture;
  std::string unread;
  if (!readPicture(page.sourcePath, picture, unread)) return false;
  PictureOptions options;
  options.mergeTiles = false;
  options.maxTiles = kMaxPageTiles;
  PicturePage reduced;
  if (!reducePicture(picture, options, reduced, message)) return false;
  static_cast<IndexedImage&>(page) = std::move(reduced.page);
  return computeTilesetGeometry(page);
}

class Importer {
 public:
  Importer(const TmxMap& map, const TmxImportContext& context, TmxImport& out)
      : map_(map), context_(context), out_(out), sets_(map.tilesets.size()) {}

  void run() {
    checkMap();
    chooseKinds();
    markUsedSets();
    loadPages();
    for (std::size_t i = 0; i < map_.layers.size(); ++i) addLayer(i);
    if (entityLayer_ != nullptr) {
      entityLayer_->width = primary_->width;
      entityLayer_->height = primary_->height;
    }
    writeSummary();
  }

 private:
  [[noreturn]] void refuse(int line, const std::string& what) const {
    throw Refusal(map_.path + ", line " + std::to_string(line) + ": " + what);
  }
  [[noreturn]] void refuseCell(const TmxLayer& layer, std::size_t index, const std::string& what) const {
    refuse(layer.line, "layer \"" + layer.name + "\", cell (" + std::to_string(index % layer.width) + ", " +
                           std::to_string(index / layer.width) + ") " + what);
  }

  void checkMap() const {
    if (map_.orientation != "orthogonal") {
      refuse(map_.line, "the map is " + map_.orientation + "; Qarto takes orthogonal maps only");
    }
    if (map_.infinite) refuse(map_.line, "the map is infinite; Qarto takes maps of a fixed size only");
    if (map_.tileWidth != kTileSide || map_.tileHeight != kTileSide) {
      refuse(map_.line, "the map's tiles are " + std::to_string(map_.tileWidth) + "x" +
                            std::to_string(map_.tileHeight) + " pixels; the GBA's tiles are 8x8");
    }
  }

  LayerKind kindOf(const TmxLayer& layer) const {
    const std::string kind = tmxProperty(layer.properties, kTmxKindProperty);
    if (kind.empty() || kind == "secondary") return LayerKind::Secondary;
    if (kind == "primary") return LayerKind::Primary;
    if (kind == "collision") return LayerKind::Collision;
    refuse(layer.line, "the layer \"" + layer.name + "\" has " + kTmxKindProperty + " = \"" + kind +
                           "\"; expected primary, secondary or collision");
  }

  // The first layer marked primary, else the first tile layer that is not
  // the collision layer.
  void chooseKinds() {
    kinds_.resize(map_.layers.size(), LayerKind::Entity);
    int marked = -1;
    int first = -1;
    for (std::size_t i = 0; i < map_.layers.size(); ++i) {
      if (map_.layers[i].kind != TmxLayerKind::Tiles) continue;
      kinds_[i] = kindOf(map_.layers[i]);
      if (kinds_[i] == LayerKind::Primary) {
        if (marked < 0) marked = static_cast<int>(i);
        kinds_[i] = LayerKind::Secondary;
      }
      if (first < 0 && kinds_[i] != LayerKind::Collision) first = static_cast<int>(i);
    }
    const int primary = marked >= 0 ? marked : first;
    if (primary < 0) refuse(map_.line, "the map has no tile layer besides a collision layer");
    kinds_[static_cast<std::size_t>(primary)] = LayerKind::Primary;
  }

  // The tile set of a global id, or -1.
  int setOf(std::uint32_t id) const {
    auto it = std::upper_bound(map_.tilesets.begin(), map_.tilesets.end(), id,
                               [](std::uint32_t value, const TmxTileset& set) { return value < set.firstGid; });
    return static_cast<int>(it - map_.tilesets.begin()) - 1;
  }

  void markUsedSets() {
    for (std::size_t i = 0; i < map_.layers.size(); ++i) {
      const TmxLayer& layer = map_.layers[i];
      if (layer.kind != TmxLayerKind::Tiles || kinds_[i] == LayerKind::Collision) continue;
      std::uint32_t last = 0;
      for (std::size_t cell = 0; cell < layer.gids.size(); ++cell) {
        const std::uint32_t id = layer.gids[cell] & kTmxGidMask;
        if (id == 0 || id == last) continue;
        last = id;
        const int set = setOf(id);
        if (set < 0) refuseCell(layer, cell, "shows tile id " + std::to_string(id) + ", which no tile set holds");
        sets_[static_cast<std::size_t>(set)].used = true;
      }
    }
  }

  void loadPages() {
    std::map<std::string, int> pageOfPicture;
    for (std::size_t s = 0; s < sets_.size(); ++s) {
      if (!sets_[s].used) continue;
      const TmxTileset& set = map_.tilesets[s];
      const std::string name = "the tile set \"" + set.name + "\"";
      if (set.tileWidth != kTileSide || set.tileHeight != kTileSide) {
        refuse(set.line, name + " has tiles of " + std::to_string(set.tileWidth) + "x" +
                             std::to_string(set.tileHeight) + " pixels; the GBA's tiles are 8x8");
      }
      if (set.spacing != 0 || set.margin != 0) {
        refuse(set.line, name + " has spacing or a margin around its tiles; Qarto takes pictures without them");
      }
      if (set.imagePath.empty()) refuse(set.line, name + " is a collection of pictures; Qarto takes one picture a set");
      auto [it, added] = pageOfPicture.try_emplace(set.imagePath, static_cast<int>(out_.pages.size()));
      if (added) loadPage(set);
      sets_[s].page = it->second;
      readPalettes(set, sets_[s]);
    }
    const int lastId = context_.firstTilesetId + static_cast<int>(out_.pages.size()) - 1;
    if (lastId > kMaxCellTilesetId) {
      refuse(map_.line, "the map needs " + std::to_string(out_.pages.size()) +
                            " tile pages, more than map cells can refer to");
    }
    for (const auto& page : out_.pages) {
      const int blank = firstBlankTile(*page, 0);
      if (isBlankTile(*page, blank)) {
        blank_.tile = static_cast<std::int16_t>(blank);
        blank_.tileset = static_cast<std::int8_t>(page->id);
        break;
      }
    }
  }

  void loadPage(const TmxTileset& set) {
    auto page = std::make_unique<Tileset>();
    page->sourcePath = set.imagePath;
    std::string message;
    const TmxPageReader& read = context_.readPage ? context_.readPage : TmxPageReader(readPageFile);
    if (!read(*page, message)) refuse(set.line, "the picture of the tile set \"" + set.name + "\": " + message);
    if (page->tileCount > kMaxPageTiles) {
      refuse(set.line, "the picture of the tile set \"" + set.name + "\" has " + std::to_string(page->tileCount) +
                           " tiles; map cells can refer to " + std::to_string(kMaxPageTiles) + " at most");
    }
    page->id = context_.firstTilesetId + static_cast<int>(out_.pages.size());
    out_.pages.push_back(std::move(page));
  }

  // Each tile's palette row: the tile property when it has one, else the
  // row of its top-left pixel, as picking a tile gives it.
  void readPalettes(const TmxTileset& set, SetInfo& info) const {
    const Tileset& page = *out_.pages[static_cast<std::size_t>(info.page)];
    info.palette.resize(static_cast<std::size_t>(page.tileCount));
    for (int tile = 0; tile < page.tileCount; ++tile) info.palette[static_cast<std::size_t>(tile)] = tilePaletteRow(page, tile);
    for (const TmxTile& tile : set.tiles) {
      const std::string text = tmxProperty(tile.properties, kTmxPaletteProperty);
      if (text.empty() || tile.id >= info.palette.size()) continue;
      int row = -1;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), row);
      if (error != std::errc() || end != text.data() + text.size() || row < 0 || row > 15) {
        refuse(set.line, "tile " + std::to_string(tile.id) + " of the tile set \"" + set.name + "\" has " +
                             kTmxPaletteProperty + " = \"" + text + "\"; expected a palette row from 0 to 15");
      }
      info.palette[tile.id] = static_cast<std::uint8_t>(row);
    }
  }

  std::unique_ptr<MapLayer> makeLayer(const TmxLayer& source, LayerKind kind) {
    auto layer = std::make_unique<MapLayer>();
    layer->kind = kind;
    const std::string name = tmxLayerCName(source.name);
    if (name != source.name) renamed_ += (renamed_.empty() ? "" : ", ") + ("\"" + source.name + "\" as " + name);
    layer->setName(name);
    layer->visible = source.visible && source.opacity >= 0.5;
    layer->locked = source.locked;
    layer->alpha = tmxProperty(source.properties, kTmxAlphaProperty, kind == LayerKind::Collision ? "true" : "false") == "true";
    layer->tileGrouping = tmxProperty(source.properties, kTmxGroupingProperty) == "true";
    layer->parallaxX = static_cast<float>(source.parallaxX);
    layer->parallaxY = static_cast<float>(source.parallaxY);
    return layer;
  }

  void addLayer(std::size_t index) {
    const TmxLayer& source = map_.layers[index];
    if (source.kind == TmxLayerKind::Image) {
      leftOut_.add("image layer(s)");
    } else if (source.kind == TmxLayerKind::Objects) {
      addObjects(source);
    } else {
      std::unique_ptr<MapLayer> layer = makeLayer(source, kinds_[index]);
      layer->width = static_cast<std::uint16_t>(source.width);
      layer->height = static_cast<std::uint16_t>(source.height);
      layer->cells.resize(source.gids.size());
      if (layer->kind == LayerKind::Collision) {
        fillCollisionCells(source, *layer);
      } else {
        fillTileCells(source, *layer);
      }
      if (layer->kind == LayerKind::Primary) primary_ = layer.get();
      out_.layers.push_back(std::move(layer));
    }
  }

  void fillTileCells(const TmxLayer& source, MapLayer& layer) const {
    for (std::size_t i = 0; i < source.gids.size(); ++i) {
      const std::uint32_t gid = source.gids[i];
      const std::uint32_t id = gid & kTmxGidMask;
      if (id == 0) {
        layer.cells[i] = blank_;
        continue;
      }
      if ((gid & (kTmxFlipDiagonal | kTmxRotate120)) != 0) {
        refuseCell(source, i, "is flipped diagonally (a rotated tile); the GBA cannot show it");
      }
      const auto set = static_cast<std::size_t>(setOf(id));
      const SetInfo& info = sets_[set];
      const std::uint32_t local = id - map_.tilesets[set].firstGid;
      if (local >= info.palette.size()) {
        refuseCell(source, i, "shows tile " + std::to_string(local) + " of the tile set \"" + map_.tilesets[set].name +
                                  "\", whose picture has " + std::to_string(info.palette.size()) + " tiles");
      }
      MapCell& cell = layer.cells[i];
      cell.tile = static_cast<std::int16_t>(local);
      cell.tileset = static_cast<std::int8_t>(out_.pages[static_cast<std::size_t>(info.page)]->id);
      cell.palette = info.palette[local];
      cell.flags = static_cast<std::uint8_t>(((gid & kTmxFlipH) != 0 ? kCellHFlip : 0) |
                                             ((gid & kTmxFlipV) != 0 ? kCellVFlip : 0));
    }
  }

  // A collision layer's local ids are collision words; above 16 bits, the
  // collision tile that shows them.
  void fillCollisionCells(const TmxLayer& source, MapLayer& layer) const {
    for (std::size_t i = 0; i < source.gids.size(); ++i) {
      MapCell& cell = layer.cells[i];
      cell.tileset = static_cast<std::int8_t>(context_.collisionTilesetId);
      const std::uint32_t gid = source.gids[i];
      if (gid == 0) continue;
      if ((gid & ~kTmxGidMask) != 0) refuseCell(source, i, "is flipped; collision cells cannot be");
      const int set = setOf(gid);
      if (set < 0) refuseCell(source, i, "shows tile id " + std::to_string(gid) + ", which no tile set holds");
      const std::uint32_t local = gid - map_.tilesets[static_cast<std::size_t>(set)].firstGid;
      cell.tile = static_cast<std::int16_t>(local >> 16);
      cell.collision = static_cast<std::uint16_t>(local & 0xFFFF);
    }
  }

  int entityType(const TmxObject& object) const {
    const std::string type = tmxProperty(object.properties, kTmxTypeProperty, object.type);
    if (context_.catalogue != nullptr) {
      for (const EntityType& row : context_.catalogue->rows()) {
        if (row.name == type) return row.type;
      }
    }
    int number = -1;
    const auto [end, error] = std::from_chars(type.data(), type.data() + type.size(), number);
    if (error != std::errc() || end != type.data() + type.size() || number < 0 || number > 0xFFFF) return -1;
    return number;
  }

  // Every object group feeds the one entity layer, made where the first
  // group stands.
  void addObjects(const TmxLayer& source) {
    if (entityLayer_ == nullptr) {
      std::unique_ptr<MapLayer> layer = makeLayer(source, LayerKind::Entity);
      layer->entities.assign(kEntityBlockSize, 0);
      entityLayer_ = layer.get();
      out_.layers.push_back(std::move(layer));
    }
    static const char* const kShapes[] = {"rectangle", "point", "ellipse(s)", "polygon(s)", "polyline(s)",
                                          "text object(s)", "tile object(s)"};
    for (const TmxObject& object : source.objects) {
      if (object.shape != TmxObjectShape::Point && object.shape != TmxObjectShape::Rectangle) {
        leftOut_.add(kShapes[static_cast<int>(object.shape)]);
        continue;
      }
      const int type = entityType(object);
      if (type < 0) {
        leftOut_.add("object(s) of a type the entity catalogue does not know");
        continue;
      }
      // An object keeps the slot its id names (the export writes slot + 1) while that is free.
      const bool idFree = object.id >= 1 && object.id <= kEntitySlots && !readEntity(*entityLayer_, object.id - 1)->inUse;
      const int slot = idFree ? object.id - 1 : firstFreeEntitySlot(*entityLayer_);
      if (slot < 0) {
        leftOut_.add("object(s) beyond the 32 entity slots");
        continue;
      }
      // A rectangle stands on the middle of its bottom edge.
      const bool point = object.shape == TmxObjectShape::Point;
      EntityRecord record;
      record.inUse = true;
      record.type = static_cast<std::uint16_t>(type);
      record.facing = tmxProperty(object.properties, kTmxFacingProperty) == "-1" ? -1 : 1;
      record.x = static_cast<std::int32_t>(std::lround(point ? object.x : object.x + object.width / 2));
      record.y = static_cast<std::int32_t>(std::lround(point ? object.y : object.y + object.height));
      writeEntity(*entityLayer_, slot, record);
      ++entities_;
    }
  }

  void writeSummary() {
    std::string& text = out_.summary;
    text = "Imported " + std::to_string(out_.layers.size()) + " layers and " + std::to_string(out_.pages.size()) +
           " tile pages from " + map_.path + ".\nPrimary layer: " + primary_->nameText();
    for (const auto& layer : out_.layers) {
      if (layer->kind == LayerKind::Collision) text += "; collision layer: " + layer->nameText();
    }
    if (entityLayer_ != nullptr) text += "; " + std::to_string(entities_) + " entities on " + entityLayer_->nameText();
    text += ".";
    if (!renamed_.empty()) text += "\nLayer names made C names: " + renamed_ + ".";
    if (!leftOut_.counts.empty()) text += "\nLeft out: " + leftOut_.text() + ".";
  }

  const TmxMap& map_;
  const TmxImportContext& context_;
  TmxImport& out_;
  std::vector<SetInfo> sets_;
  std::vector<LayerKind> kinds_;
  MapCell blank_;
  MapLayer* primary_ = nullptr;
  MapLayer* entityLayer_ = nullptr;
  int entities_ = 0;
  std::string renamed_;
  LeftOut leftOut_;
};

}  // namespace

std::string tmxLayerCName(const std::string& name) {
  std::string out;
  for (char c : name) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    const bool digit = c >= '0' && c <= '9';
    if (out.empty() && digit) out += '_';
    out += letter || digit ? c : '_';
  }
  if (out.size() > kLayerNameSize - 1) out.resize(kLayerNameSize - 1);
  return out;
}

TmxImport importTmx(const TmxMap& map, const TmxImportContext& context) {
  TmxImport out;
  try {
    Importer(map, context, out).run();
    out.ok = true;
  } catch (const Refusal& refusal) {
    out = TmxImport{};
    out.message = refusal.what();
  }
  return out;
}

}  // namespace qarto
