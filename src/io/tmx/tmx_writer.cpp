#include "io/tmx/tmx_writer.h"

#include <pugixml.hpp>

#include <sstream>

#include "io/tmx/tmx_layer_data.h"

namespace qarto {

namespace {

void writeProperties(pugi::xml_node owner, const TmxProperties& properties) {
  if (properties.empty()) return;
  pugi::xml_node list = owner.append_child("properties");
  for (const TmxProperty& property : properties) {
    pugi::xml_node node = list.append_child("property");
    node.append_attribute("name") = property.name.c_str();
    if (!property.type.empty() && property.type != "string") node.append_attribute("type") = property.type.c_str();
    node.append_attribute("value") = property.value.c_str();
  }
}

void writeTilesetBody(pugi::xml_node node, const TmxTileset& tileset) {
  node.append_attribute("name") = tileset.name.c_str();
  node.append_attribute("tilewidth") = tileset.tileWidth;
  node.append_attribute("tileheight") = tileset.tileHeight;
  node.append_attribute("tilecount") = tileset.tileCount;
  node.append_attribute("columns") = tileset.columns;
  writeProperties(node, tileset.properties);
  if (!tileset.image.empty()) {
    pugi::xml_node image = node.append_child("image");
    image.append_attribute("source") = tileset.image.c_str();
    image.append_attribute("width") = tileset.imageWidth;
    image.append_attribute("height") = tileset.imageHeight;
  } else {
    // Tiled's mark of a tile set without a picture of its own.
    pugi::xml_node grid = node.append_child("grid");
    grid.append_attribute("orientation") = "orthogonal";
    grid.append_attribute("width") = 1;
    grid.append_attribute("height") = 1;
  }
  for (const TmxTile& tile : tileset.tiles) {
    pugi::xml_node entry = node.append_child("tile");
    entry.append_attribute("id") = tile.id;
    writeProperties(entry, tile.properties);
  }
}

void writeLayerHeader(pugi::xml_node node, const TmxLayer& layer) {
  node.append_attribute("id") = layer.id;
  node.append_attribute("name") = layer.name.c_str();
  if (layer.kind == TmxLayerKind::Tiles) {
    node.append_attribute("width") = layer.width;
    node.append_attribute("height") = layer.height;
  }
  if (!layer.visible) node.append_attribute("visible") = 0;
  if (layer.locked) node.append_attribute("locked") = 1;
  if (layer.opacity != 1.0) node.append_attribute("opacity") = layer.opacity;
  if (layer.parallaxX != 1.0) node.append_attribute("parallaxx") = layer.parallaxX;
  if (layer.parallaxY != 1.0) node.append_attribute("parallaxy") = layer.parallaxY;
  writeProperties(node, layer.properties);
}

void writeObject(pugi::xml_node group, const TmxObject& object) {
  pugi::xml_node node = group.append_child("object");
  node.append_attribute("id") = object.id;
  if (!object.name.empty()) node.append_attribute("name") = object.name.c_str();
  if (!object.type.empty()) node.append_attribute("type") = object.type.c_str();
  node.append_attribute("x") = object.x;
  node.append_attribute("y") = object.y;
  if (object.shape == TmxObjectShape::Rectangle) {
    node.append_attribute("width") = object.width;
    node.append_attribute("height") = object.height;
  }
  writeProperties(node, object.properties);
  if (object.shape == TmxObjectShape::Point) node.append_child("point");
}

std::string text(const pugi::xml_document& document) {
  std::ostringstream out;
  document.save(out, " ", pugi::format_default, pugi::encoding_utf8);
  return out.str();
}

}  // namespace

std::string tmxText(const TmxMap& map, const TmxCellFormat& format) {
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("map");
  root.append_attribute("version") = "1.8";
  root.append_attribute("orientation") = map.orientation.c_str();
  root.append_attribute("renderorder") = "right-down";
  root.append_attribute("width") = map.width;
  root.append_attribute("height") = map.height;
  root.append_attribute("tilewidth") = map.tileWidth;
  root.append_attribute("tileheight") = map.tileHeight;
  root.append_attribute("infinite") = map.infinite ? 1 : 0;
  int nextLayerId = 1;
  int nextObjectId = 1;
  for (const TmxLayer& layer : map.layers) {
    nextLayerId = std::max(nextLayerId, layer.id + 1);
    for (const TmxObject& object : layer.objects) nextObjectId = std::max(nextObjectId, object.id + 1);
  }
  root.append_attribute("nextlayerid") = nextLayerId;
  root.append_attribute("nextobjectid") = nextObjectId;
  writeProperties(root, map.properties);
  for (const TmxTileset& tileset : map.tilesets) {
    pugi::xml_node node = root.append_child("tileset");
    node.append_attribute("firstgid") = tileset.firstGid;
    if (tileset.source.empty()) {
      writeTilesetBody(node, tileset);
    } else {
      node.append_attribute("source") = tileset.source.c_str();
    }
  }
  for (const TmxLayer& layer : map.layers) {
    if (layer.kind == TmxLayerKind::Tiles) {
      pugi::xml_node node = root.append_child("layer");
      writeLayerHeader(node, layer);
      pugi::xml_node data = node.append_child("data");
      if (format.encoding == TmxEncoding::Xml) {
        for (const std::uint32_t gid : layer.gids) {
          pugi::xml_node tile = data.append_child("tile");
          if (gid != 0) tile.append_attribute("gid") = gid;
        }
        continue;
      }
      data.append_attribute("encoding") = tmxEncodingName(format.encoding);
      if (format.encoding == TmxEncoding::Base64 && format.compression != TmxCompression::None) {
        data.append_attribute("compression") = tmxCompressionName(format.compression);
      }
      data.append_child(pugi::node_pcdata)
          .set_value(encodeCells(layer.gids, layer.width, format.encoding, format.compression).c_str());
    } else if (layer.kind == TmxLayerKind::Objects) {
      pugi::xml_node node = root.append_child("objectgroup");
      writeLayerHeader(node, layer);
      for (const TmxObject& object : layer.objects) writeObject(node, object);
    }
  }
  return text(document);
}

std::string tsxText(const TmxTileset& tileset) {
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("tileset");
  root.append_attribute("version") = "1.8";
  writeTilesetBody(root, tileset);
  return text(document);
}

}  // namespace qarto
