#include "io/tmx/tmx_reader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "io/files/file_bytes.h"
#include "io/tmx/tmx_layer_data.h"

namespace qarto {

namespace {

// Cells of one layer; more is refused before anything is allocated.
constexpr std::size_t kMaxLayerCells = std::size_t{1} << 24;
constexpr int kMaxSide = 65535;

// A fault in the file being read; caught in decodeTmx and turned into the message.
struct TmxFault : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One XML file being read: its name for the messages and the offsets of its
// line breaks, to turn a node's offset into a line number.
class XmlFile {
 public:
  XmlFile(std::string name, const std::uint8_t* bytes, std::size_t size) : name_(std::move(name)) {
    const char* text = reinterpret_cast<const char*>(bytes);
    for (const char* at = text; (at = static_cast<const char*>(std::memchr(at, '\n', size - (at - text))));) {
      breaks_.push_back(static_cast<std::size_t>(at - text));
      ++at;
    }
  }

  int lineAt(std::ptrdiff_t offset) const {
    if (offset < 0) return 0;
    return static_cast<int>(std::upper_bound(breaks_.begin(), breaks_.end(), static_cast<std::size_t>(offset)) -
                            breaks_.begin()) + 1;
  }
  int lineOf(const pugi::xml_node& node) const { return lineAt(node.offset_debug()); }

  [[noreturn]] void fail(const pugi::xml_node& node, const std::string& what) const { failAt(lineOf(node), what); }
  [[noreturn]] void failAt(int line, const std::string& what) const {
    throw TmxFault(name_ + (line > 0 ? ", line " + std::to_string(line) : std::string()) + ": " + what);
  }

  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::vector<std::size_t> breaks_;
};

std::string elementName(const pugi::xml_node& node) { return std::string("<") + node.name() + ">"; }

int intAttribute(const XmlFile& file, const pugi::xml_node& node, const char* name, int fallback, int low, int high) {
  const pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) return fallback;
  const char* text = attribute.value();
  const char* end = text + std::strlen(text);
  long long value = 0;
  const auto [stop, error] = std::from_chars(text, end, value);
  if (error != std::errc() || stop != end || value < low || value > high) {
    file.fail(node, "expected a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                        " in the attribute \"" + name + "\" of " + elementName(node) + ", found \"" + text + "\"");
  }
  return static_cast<int>(value);
}

int requiredInt(const XmlFile& file, const pugi::xml_node& node, const char* name, int low, int high) {
  if (!node.attribute(name)) file.fail(node, std::string("expected the attribute \"") + name + "\" in " + elementName(node));
  return intAttribute(file, node, name, 0, low, high);
}

double realAttribute(const XmlFile& file, const pugi::xml_node& node, const char* name, double fallback) {
  const pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) return fallback;
  const char* text = attribute.value();
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || *end != '\0' || !std::isfinite(value)) {
    file.fail(node, std::string("expected a number in the attribute \"") + name + "\" of " + elementName(node) +
                        ", found \"" + text + "\"");
  }
  return value;
}

std::uint32_t gidAttribute(const XmlFile& file, const pugi::xml_node& node, const char* name) {
  const pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) return 0;
  const char* text = attribute.value();
  const char* end = text + std::strlen(text);
  std::uint32_t value = 0;
  const auto [stop, error] = std::from_chars(text, end, value);
  if (error != std::errc() || stop != end) {
    file.fail(node, std::string("expected a tile id in the attribute \"") + name + "\", found \"" + text + "\"");
  }
  return value;
}

TmxProperties readProperties(const pugi::xml_node& owner) {
  TmxProperties properties;
  for (const pugi::xml_node& property : owner.child("properties").children("property")) {
    TmxProperty entry;
    entry.name = property.attribute("name").value();
    entry.type = property.attribute("type") ? property.attribute("type").value() : "string";
    entry.value = property.attribute("value") ? property.attribute("value").value() : property.text().get();
    properties.push_back(std::move(entry));
  }
  return properties;
}

std::string resolve(const std::string& base, const std::string& relative) {
  const std::filesystem::path path(relative);
  if (path.is_absolute()) return relative;
  return (std::filesystem::path(base).parent_path() / path).lexically_normal().string();
}

pugi::xml_document parse(const XmlFile& file, const std::uint8_t* bytes, std::size_t size) {
  pugi::xml_document document;
  const pugi::xml_parse_result result = document.load_buffer(bytes, size, pugi::parse_default, pugi::encoding_utf8);
  if (!result) file.failAt(file.lineAt(result.offset), std::string("the XML is damaged (") + result.description() + ")");
  return document;
}

void readTilesetBody(const XmlFile& file, const pugi::xml_node& node, TmxTileset& tileset) {
  tileset.name = node.attribute("name").value();
  tileset.tileWidth = requiredInt(file, node, "tilewidth", 1, kMaxSide);
  tileset.tileHeight = requiredInt(file, node, "tileheight", 1, kMaxSide);
  tileset.spacing = intAttribute(file, node, "spacing", 0, 0, kMaxSide);
  tileset.margin = intAttribute(file, node, "margin", 0, 0, kMaxSide);
  tileset.tileCount = intAttribute(file, node, "tilecount", 0, 0, 1 << 28);
  tileset.columns = intAttribute(file, node, "columns", 0, 0, kMaxSide);
  tileset.properties = readProperties(node);
  tileset.line = file.lineOf(node);
  if (const pugi::xml_node image = node.child("image")) {
    tileset.image = image.attribute("source").value();
    if (tileset.image.empty()) file.fail(image, "expected the attribute \"source\" in <image>");
    tileset.imagePath = resolve(file.name(), tileset.image);
    tileset.imageWidth = intAttribute(file, image, "width", 0, 0, kMaxSide);
    tileset.imageHeight = intAttribute(file, image, "height", 0, 0, kMaxSide);
  }
  for (const pugi::xml_node& tile : node.children("tile")) {
    TmxTile entry;
    entry.id = static_cast<std::uint32_t>(requiredInt(file, tile, "id", 0, 1 << 28));
    entry.properties = readProperties(tile);
    if (!entry.properties.empty()) tileset.tiles.push_back(std::move(entry));
  }
}

TmxTileset readTileset(const XmlFile& file, const pugi::xml_node& node, const TsxFileLoader& loadTsx) {
  TmxTileset tileset;
  tileset.firstGid = static_cast<std::uint32_t>(requiredInt(file, node, "firstgid", 1, 1 << 28));
  tileset.source = node.attribute("source").value();
  if (tileset.source.empty()) {
    readTilesetBody(file, node, tileset);
    return tileset;
  }
  const std::string tsxPath = resolve(file.name(), tileset.source);
  const std::optional<std::vector<std::uint8_t>> bytes = loadTsx ? loadTsx(tsxPath) : std::nullopt;
  if (!bytes) file.fail(node, "the tile set file " + tsxPath + " cannot be read");
  const XmlFile tsx(tsxPath, bytes->data(), bytes->size());
  const pugi::xml_document document = parse(tsx, bytes->data(), bytes->size());
  const pugi::xml_node root = document.document_element();
  if (std::strcmp(root.name(), "tileset") != 0) tsx.fail(root, "expected a <tileset> element, found " + elementName(root));
  readTilesetBody(tsx, root, tileset);
  return tileset;
}

void readCells(const XmlFile& file, const pugi::xml_node& data, TmxLayer& layer) {
  const std::size_t count = static_cast<std::size_t>(layer.width) * static_cast<std::size_t>(layer.height);
  const std::string encoding = data.attribute("encoding").value();
  const std::string compression = data.attribute("compression").value();
  std::string problem;
  if (data.child("chunk")) file.fail(data, "expected the cells of a finite map, found chunks of an infinite map");
  if (encoding.empty()) {
    if (!compression.empty()) file.fail(data, "expected no compression for cells written as <tile> elements");
    for (const pugi::xml_node& tile : data.children("tile")) {
      if (layer.gids.size() == count) file.fail(tile, "expected " + std::to_string(count) + " cells, found more");
      layer.gids.push_back(gidAttribute(file, tile, "gid"));
    }
    if (layer.gids.size() != count) {
      file.fail(data, "expected " + std::to_string(count) + " cells, found " + std::to_string(layer.gids.size()));
    }
    return;
  }
  const std::string_view text = data.text().get();
  bool ok = false;
  if (encoding == "csv") {
    if (!compression.empty()) file.fail(data, "expected no compression for csv cells");
    ok = decodeCsvCells(text, count, layer.gids, problem);
  } else if (encoding == "base64") {
    TmxCompression method = TmxCompression::None;
    if (compression == "zlib") {
      method = TmxCompression::Zlib;
    } else if (compression == "gzip") {
      method = TmxCompression::Gzip;
    } else if (compression == "zstd") {
      method = TmxCompression::Zstd;
    } else if (!compression.empty()) {
      file.fail(data, "the compression \"" + compression + "\" is not supported (expected zlib, gzip or zstd)");
    }
    ok = decodeBase64Cells(text, method, count, layer.gids, problem);
  } else {
    file.fail(data, "the encoding \"" + encoding + "\" is not supported (expected csv or base64)");
  }
  if (!ok) file.fail(data, "layer \"" + layer.name + "\": " + problem);
}

void readLayerHeader(const XmlFile& file, const pugi::xml_node& node, TmxLayer& layer) {
  layer.id = intAttribute(file, node, "id", 0, 0, 1 << 30);
  layer.name = node.attribute("name").value();
  layer.visible = intAttribute(file, node, "visible", 1, 0, 1) == 1;
  layer.locked = intAttribute(file, node, "locked", 0, 0, 1) == 1;
  layer.opacity = realAttribute(file, node, "opacity", 1.0);
  layer.parallaxX = realAttribute(file, node, "parallaxx", 1.0);
  layer.parallaxY = realAttribute(file, node, "parallaxy", 1.0);
  layer.properties = readProperties(node);
  layer.line = file.lineOf(node);
}

TmxObject readObject(const XmlFile& file, const pugi::xml_node& node) {
  TmxObject object;
  object.id = intAttribute(file, node, "id", 0, 0, 1 << 30);
  object.name = node.attribute("name").value();
  object.type = node.attribute("class") ? node.attribute("class").value() : node.attribute("type").value();
  object.x = realAttribute(file, node, "x", 0);
  object.y = realAttribute(file, node, "y", 0);
  object.width = realAttribute(file, node, "width", 0);
  object.height = realAttribute(file, node, "height", 0);
  object.properties = readProperties(node);
  object.line = file.lineOf(node);
  if (node.attribute("gid")) {
    object.shape = TmxObjectShape::Tile;
  } else if (node.child("point")) {
    object.shape = TmxObjectShape::Point;
  } else if (node.child("ellipse")) {
    object.shape = TmxObjectShape::Ellipse;
  } else if (node.child("polygon")) {
    object.shape = TmxObjectShape::Polygon;
  } else if (node.child("polyline")) {
    object.shape = TmxObjectShape::Polyline;
  } else if (node.child("text")) {
    object.shape = TmxObjectShape::Text;
  }
  return object;
}

// Layers of a group join the list in place; the group's visibility, opacity
// and parallax apply to them, as Tiled shows them.
void readLayers(const XmlFile& file, const pugi::xml_node& parent, const TmxLayer& group, TmxMap& map) {
  for (const pugi::xml_node& node : parent.children()) {
    const std::string name = node.name();
    TmxLayer layer;
    if (name == "layer") {
      layer.kind = TmxLayerKind::Tiles;
    } else if (name == "objectgroup") {
      layer.kind = TmxLayerKind::Objects;
    } else if (name == "imagelayer") {
      layer.kind = TmxLayerKind::Image;
    } else if (name == "group") {
      layer.kind = TmxLayerKind::Group;
    } else {
      continue;
    }
    readLayerHeader(file, node, layer);
    layer.visible = layer.visible && group.visible;
    layer.opacity *= group.opacity;
    layer.parallaxX *= group.parallaxX;
    layer.parallaxY *= group.parallaxY;
    if (layer.kind == TmxLayerKind::Group) {
      readLayers(file, node, layer, map);
      continue;
    }
    if (layer.kind == TmxLayerKind::Tiles) {
      layer.width = requiredInt(file, node, "width", 1, kMaxSide);
      layer.height = requiredInt(file, node, "height", 1, kMaxSide);
      if (static_cast<std::size_t>(layer.width) * static_cast<std::size_t>(layer.height) > kMaxLayerCells) {
        file.fail(node, "expected at most " + std::to_string(kMaxLayerCells) + " cells in a layer");
      }
      const pugi::xml_node data = node.child("data");
      if (!data) file.fail(node, "expected a <data> element in the layer \"" + layer.name + "\"");
      readCells(file, data, layer);
    } else if (layer.kind == TmxLayerKind::Objects) {
      for (const pugi::xml_node& object : node.children("object")) layer.objects.push_back(readObject(file, object));
    }
    map.layers.push_back(std::move(layer));
  }
}

}  // namespace

std::string tmxProperty(const TmxProperties& properties, const std::string& name, const std::string& fallback) {
  for (const TmxProperty& property : properties) {
    if (property.name == name) return property.value;
  }
  return fallback;
}

TmxRead decodeTmx(const std::uint8_t* bytes, std::size_t size, const std::string& path,
                  const TsxFileLoader& loadTsx) {
  TmxRead read;
  try {
    const XmlFile file(path, bytes, size);
    const pugi::xml_document document = parse(file, bytes, size);
    const pugi::xml_node root = document.document_element();
    if (std::strcmp(root.name(), "map") != 0) {
      file.fail(root, std::string("expected a Tiled map (a <map> element), found ") + elementName(root));
    }
    TmxMap& map = read.map;
    map.path = path;
    map.line = file.lineOf(root);
    map.orientation = root.attribute("orientation").value();
    map.width = requiredInt(file, root, "width", 0, kMaxSide);
    map.height = requiredInt(file, root, "height", 0, kMaxSide);
    map.tileWidth = requiredInt(file, root, "tilewidth", 1, kMaxSide);
    map.tileHeight = requiredInt(file, root, "tileheight", 1, kMaxSide);
    map.infinite = intAttribute(file, root, "infinite", 0, 0, 1) == 1;
    map.properties = readProperties(root);
    for (const pugi::xml_node& node : root.children("tileset")) map.tilesets.push_back(readTileset(file, node, loadTsx));
    std::stable_sort(map.tilesets.begin(), map.tilesets.end(),
                     [](const TmxTileset& a, const TmxTileset& b) { return a.firstGid < b.firstGid; });
    for (std::size_t i = 1; i < map.tilesets.size(); ++i) {
      if (map.tilesets[i].firstGid == map.tilesets[i - 1].firstGid) {
        file.failAt(map.tilesets[i].line, "expected a different \"firstgid\" for every tile set");
      }
    }
    // Infinite maps keep their cells in chunks; the import refuses them by name.
    if (!map.infinite) readLayers(file, root, TmxLayer{}, map);
    read.ok = true;
  } catch (const TmxFault& fault) {
    read.map = TmxMap{};
    read.message = fault.what();
  } catch (const std::bad_alloc&) {
    read.map = TmxMap{};
    read.message = path + ": there is not enough memory to read the map";
  }
  return read;
}

TmxRead readTmxFile(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  const ReadStatus status = readFileBytes(path, bytes);
  if (status != ReadStatus::Ok) {
    TmxRead read;
    read.message = path + (status == ReadStatus::Empty ? ": the file is empty" : ": the file cannot be read");
    return read;
  }
  return decodeTmx(bytes.data(), bytes.size(), path, [](const std::string& tsx) -> std::optional<std::vector<std::uint8_t>> {
    std::vector<std::uint8_t> content;
    if (readFileBytes(tsx, content) != ReadStatus::Ok) return std::nullopt;
    return content;
  });
}

}  // namespace qarto
