#pragma once

#include <string>

namespace qarto {

class EditorSession;
struct MapLayer;
struct Tileset;

inline constexpr const char* kImportSourceCaptionSuffix = " - Import Layer from .h/.c/.cpp";

// One array of an import: a source file and the name of the array in it
// (empty: the first array that has values).
struct SourceArrayChoice {
  std::string path;
  std::string name;
};

struct SourceLayerRequest {
  SourceArrayChoice palette;
  SourceArrayChoice tiles;
  SourceArrayChoice map;
  int width = 0;
};

struct SourceLayerImport {
  MapLayer* layer = nullptr;  // nullptr when refused or failed; the user has been told why
  const Tileset* page = nullptr;
  bool pageReused = false;  // a registered page already held these pixels and this palette
  std::string pagePath;
};

// Import Layer from .h/.c/.cpp: reads the three arrays, checks every limit
// (planSourceLayer) and only then creates anything: the tile page, written
// as an 8-bit BMP named after the tile array beside the map (beside the
// tile source while the map has no file; "_2", "_3" ... when a different
// picture has the name already) and loaded as Open Tilesets loads a page,
// then a layer named after the map array through the add-layer core, asked
// for as the primary layer (so a secondary one when the map has its
// primary), one cell per screen entry, parallax 1.0.
//
// A registered page with the same pixels and palette is used again instead
// of a new one, so importing the same arrays twice adds one page. The
// add-layer core records the one undo entry: undo takes the layer away and
// the page stays loaded, as after Import .BMP as Layer. In un-optimized mode
// a second page is refused as Open Tilesets refuses it. Refusals show a
// warning captioned with kImportSourceCaptionSuffix and change nothing.
SourceLayerImport importSourceLayer(EditorSession& session, const SourceLayerRequest& request);

}  // namespace qarto
