// Writes starting inputs for tmx_fuzzer into the folder argv[1]: one small
// map in every cell encoding, with an object group.
#include <string>

#include "io/tmx/tmx_writer.h"
#include "seed_files.h"

int main(int argc, char** argv) {
  using namespace qarto;
  TmxMap map;
  map.width = 3;
  map.height = 2;
  TmxTileset set;
  set.name = "page";
  set.tileWidth = set.tileHeight = 8;
  set.tileCount = 2;
  set.columns = 2;
  set.image = "page.png";
  set.imageWidth = 16;
  set.imageHeight = 8;
  map.tilesets.push_back(set);
  TmxLayer layer;
  layer.id = 1;
  layer.name = "ground";
  layer.width = 3;
  layer.height = 2;
  layer.gids = {1, 2, 0, 0x80000001u, 0x40000002u, 1};
  map.layers.push_back(layer);
  TmxLayer objects;
  objects.kind = TmxLayerKind::Objects;
  objects.id = 2;
  objects.objects.push_back({1, "", "1", 8, 16, 0, 0, TmxObjectShape::Point, {}, 0});
  map.layers.push_back(objects);
  const std::pair<const char*, TmxCellFormat> formats[] = {
      {"csv", {TmxEncoding::Csv, TmxCompression::None}},       {"xml", {TmxEncoding::Xml, TmxCompression::None}},
      {"base64", {TmxEncoding::Base64, TmxCompression::None}}, {"zlib", {TmxEncoding::Base64, TmxCompression::Zlib}},
      {"gzip", {TmxEncoding::Base64, TmxCompression::Gzip}},   {"zstd", {TmxEncoding::Base64, TmxCompression::Zstd}}};
  return qarto::seeds::seedMain(argc, argv, [&](const std::string& folder) {
    for (const auto& [name, format] : formats) {
      const std::string text = tmxText(map, format);
      if (!qarto::seeds::writeSeed(folder, std::string(name) + ".tmx", std::vector<std::uint8_t>(text.begin(), text.end()))) {
        return false;
      }
    }
    return true;
  });
}
