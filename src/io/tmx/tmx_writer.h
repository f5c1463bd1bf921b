#pragma once

#include <string>

#include "io/tmx/tmx_document.h"

namespace qarto {

// How the cells of the tile layers are written.
struct TmxCellFormat {
  TmxEncoding encoding = TmxEncoding::Csv;
  TmxCompression compression = TmxCompression::None;  // base64 only
};

// The map as TMX text (Tiled 1.8's form). A tile set with a `source` is
// written as a reference to that .tsx file; the caller writes the file
// with tsxText.
std::string tmxText(const TmxMap& map, const TmxCellFormat& format = {});

// A tile set as a .tsx file of its own.
std::string tsxText(const TmxTileset& tileset);

}  // namespace qarto
