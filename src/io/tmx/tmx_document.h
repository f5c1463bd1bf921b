#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qarto {

// A Tiled map as its XML says it, before anything is mapped to a project.
// Every record keeps the line it was read from, for the messages.

// The top bits of a cell's global tile id.
inline constexpr std::uint32_t kTmxFlipH = 0x80000000u;
inline constexpr std::uint32_t kTmxFlipV = 0x40000000u;
inline constexpr std::uint32_t kTmxFlipDiagonal = 0x20000000u;
inline constexpr std::uint32_t kTmxRotate120 = 0x10000000u;  // hexagonal maps only
inline constexpr std::uint32_t kTmxGidMask = 0x0FFFFFFFu;

struct TmxProperty {
  std::string name;
  std::string type;  // "string" when the file names none
  std::string value;
};
using TmxProperties = std::vector<TmxProperty>;

// The value of a property, or `fallback` when there is none of that name.
std::string tmxProperty(const TmxProperties& properties, const std::string& name, const std::string& fallback = {});

// How a tile layer's cells are stored.
enum class TmxEncoding { Xml, Csv, Base64 };
enum class TmxCompression { None, Zlib, Gzip, Zstd };

struct TmxTile {
  std::uint32_t id = 0;  // local id within its tile set
  TmxProperties properties;
};

struct TmxTileset {
  std::uint32_t firstGid = 1;
  std::string source;  // the .tsx file as written in the map; empty when embedded
  std::string name;
  int tileWidth = 0;
  int tileHeight = 0;
  int spacing = 0;
  int margin = 0;
  int tileCount = 0;
  int columns = 0;
  std::string image;  // the picture as written (relative to the .tsx or the map)
  std::string imagePath;  // the same, resolved for reading; empty for an image collection
  int imageWidth = 0;
  int imageHeight = 0;
  TmxProperties properties;
  std::vector<TmxTile> tiles;  // the tiles that carry properties
  int line = 0;
};

enum class TmxObjectShape { Rectangle, Point, Ellipse, Polygon, Polyline, Text, Tile };

struct TmxObject {
  int id = 0;
  std::string name;
  std::string type;  // the class (Tiled 1.9 on) or type attribute
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  TmxObjectShape shape = TmxObjectShape::Rectangle;
  TmxProperties properties;
  int line = 0;
};

enum class TmxLayerKind { Tiles, Objects, Image, Group };

struct TmxLayer {
  TmxLayerKind kind = TmxLayerKind::Tiles;
  int id = 0;
  std::string name;
  bool visible = true;
  bool locked = false;
  double opacity = 1.0;
  double parallaxX = 1.0;
  double parallaxY = 1.0;
  TmxProperties properties;
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> gids;  // width * height, row by row (tile layers)
  std::vector<TmxObject> objects;   // object groups
  int line = 0;
};

struct TmxMap {
  std::string path;  // the map file, for the messages and relative files
  std::string orientation = "orthogonal";
  int width = 0;
  int height = 0;
  int tileWidth = 8;
  int tileHeight = 8;
  bool infinite = false;
  TmxProperties properties;
  std::vector<TmxTileset> tilesets;  // ascending first gid
  std::vector<TmxLayer> layers;      // bottom first, as the file lists them
  int line = 1;
};

}  // namespace qarto
