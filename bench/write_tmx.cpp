// Writes a map as a TMX map with CSV layers and its first tile page as a
// BMP beside it, for timing another tile map editor on the same map
// (bench/tiled_side_by_side.sh):
//   qarto_write_tmx MAP.qrm OUT.tmx
// Tile layers keep their cells and flips; cells of other pages, collision
// and entity layers and the cells' palette rows are left out (the page is
// shown in its first colours), which changes the picture, not the work of
// drawing it.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "io/images/bmp_codec.h"
#include "io/map_file/map_file_reader.h"
#include "model/project/map_layer.h"
#include "model/tileset/tileset.h"

int main(int argc, char** argv) {
  using namespace qarto;
  if (argc != 3) {
    std::fputs("usage: qarto_write_tmx MAP.qrm OUT.tmx\n", stderr);
    return 2;
  }
  MapFileRead read = readMapFile(argv[1]);
  const Tileset* page = nullptr;
  for (const auto& tileset : read.map.tilesets) {
    if (page == nullptr && !tileset->isCollisionTileset) page = tileset.get();
  }
  if (!read.map.succeeded() || page == nullptr) {
    std::fprintf(stderr, "%s: no map with a tile page\n", argv[1]);
    return 1;
  }
  const std::filesystem::path out = argv[2];
  const std::string image = out.stem().string() + ".bmp";
  std::string message;
  if (!writeIndexedBmp((out.parent_path() / image).string(), *page, 256, message)) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
  }
  int width = 0;
  int height = 0;
  for (const auto& layer : read.map.layers) {
    width = std::max(width, static_cast<int>(layer->width));
    height = std::max(height, static_cast<int>(layer->height));
  }
  std::ofstream tmx(out);
  tmx << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" orientation=\"orthogonal\" "
         "renderorder=\"right-down\" width=\""
      << width << "\" height=\"" << height << "\" tilewidth=\"8\" tileheight=\"8\" infinite=\"0\">\n"
      << " <tileset firstgid=\"1\" name=\"page\" tilewidth=\"8\" tileheight=\"8\" tilecount=\"" << page->tileCount
      << "\" columns=\"" << page->imageWidth / kTileSide << "\">\n  <image source=\"" << image << "\" width=\""
      << page->imageWidth << "\" height=\"" << page->imageHeight << "\"/>\n </tileset>\n";
  int id = 1;
  for (const auto& layer : read.map.layers) {
    if (layer->kind == LayerKind::Collision || layer->isEntityLayer()) continue;
    tmx << " <layer id=\"" << id++ << "\" name=\"" << layer->nameText() << "\" width=\"" << layer->width
        << "\" height=\"" << layer->height << "\">\n  <data encoding=\"csv\">\n";
    for (int y = 0; y < layer->height; ++y) {
      for (int x = 0; x < layer->width; ++x) {
        const MapCell& cell = layer->cell(x, y);
        unsigned gid = 0;
        if (cell.tileset == page->id && cell.tile >= 0 && cell.tile < page->tileCount) {
          gid = (static_cast<unsigned>(cell.tile) + 1) | (cell.hflip() ? 0x80000000u : 0u) |
                (cell.vflip() ? 0x40000000u : 0u);
        }
        tmx << gid << (x + 1 < layer->width || y + 1 < layer->height ? "," : "");
      }
      tmx << '\n';
    }
    tmx << "</data>\n </layer>\n";
  }
  tmx << "</map>\n";
  return tmx.good() ? 0 : 1;
}
