#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "io/tmx/tmx_document.h"
#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"

namespace qarto {

class EntityCatalogue;

// Reads the picture of a Tiled tile set into a tile page (tileset.sourcePath
// names it); false with the reader's message.
using TmxPageReader = std::function<bool(Tileset& page, std::string& message)>;

// The layer property that names what a tile layer is in Qarto.
inline constexpr const char* kTmxKindProperty = "qarto.kind";
// The tile property that keeps a tile's 16-colour palette row.
inline constexpr const char* kTmxPaletteProperty = "qarto.palette";
// Object properties: the entity type (overrides the class) and the facing.
inline constexpr const char* kTmxTypeProperty = "qarto.type";
inline constexpr const char* kTmxFacingProperty = "qarto.facing";
// Layer properties for what Tiled has no place for.
inline constexpr const char* kTmxAlphaProperty = "qarto.alpha";
inline constexpr const char* kTmxGroupingProperty = "qarto.grouping";
// The tile set the collision layer's ids refer to: id = tile << 16 | collision word.
inline constexpr const char* kTmxCollisionTileset = "qarto.collision";

struct TmxImportContext {
  int firstTilesetId = 1;      // the id the first page gets; the others follow
  int collisionTilesetId = 0;  // what collision cells refer to; 0 for none
  const EntityCatalogue* catalogue = nullptr;
  TmxPageReader readPage;      // unset: readTilePage
};

// A Tiled map mapped to Qarto's layers and pages, not yet part of a project.
struct TmxImport {
  bool ok = false;
  std::string message;  // the refusal: file, line and reason
  std::vector<std::unique_ptr<MapLayer>> layers;  // bottom first
  std::vector<std::unique_ptr<Tileset>> pages;    // ids from firstTilesetId on
  std::string summary;  // what was renamed, chosen and left out
};

// Maps the map; a refusal leaves layers and pages empty.
TmxImport importTmx(const TmxMap& map, const TmxImportContext& context);

// A layer name as a C name: every other character becomes "_", a leading
// digit gets "_" before it, at most 31 characters.
std::string tmxLayerCName(const std::string& name);

}  // namespace qarto
