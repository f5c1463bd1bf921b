#pragma once

#include <string>
#include <vector>

#include "io/tmx/tmx_document.h"

namespace qarto {

class EntityCatalogue;
class MapProject;
class TilesetRegistry;
struct Tileset;

// A tile page to be written beside the map, as the tile set names it.
struct TmxPageFile {
  std::string path;
  const Tileset* page = nullptr;
};

struct TmxExport {
  TmxMap map;
  std::vector<TmxPageFile> pages;
};

// The project as a Tiled map written to `tmxPath`: one tile set per tile
// page (more when a tile is shown in several palette rows: each further
// row gets a set of its own over the same picture, with the row in the tile
// property), tile layers with flips as Tiled's flip bits, the collision
// layer over a set without a picture whose ids hold the collision tile and
// word, entities as points of an object group. importTmx gives back the
// same layers.
TmxExport exportTmx(const MapProject& project, const TilesetRegistry& registry, const EntityCatalogue& catalogue,
                    const std::string& tmxPath);

}  // namespace qarto
