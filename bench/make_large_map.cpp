// Writes the editor window benchmark's map: four layers of 1024x1024 cells
// (a primary and three secondary layers) over one 40x25-tile page.
//   qarto_make_large_map OUT.qrm

#include <cstdio>
#include <random>

#include "bench_map.h"
#include "io/map_file/map_file_writer.h"
#include "model/project/map_project.h"
#include "model/recording_services.h"
#include "model/tileset/tileset_registry.h"

int main(int argc, char** argv) {
  using namespace qarto;
  if (argc != 2) {
    std::fputs("usage: qarto_make_large_map OUT.qrm\n", stderr);
    return 2;
  }
  std::mt19937 rng(11);
  RecordingServices services;
  TilesetRegistry registry;
  MapProject project(services, registry);
  registry.insert(bench::makeBenchPage(rng));
  project.lastTilesetId = 1;
  project.currentTilesetId = 1;
  project.tilesetsLoaded = true;
  const LayerKind kinds[4] = {LayerKind::Secondary, LayerKind::Secondary, LayerKind::Primary, LayerKind::Secondary};
  const char* names[4] = {"Far", "Near", "Level", "Front"};
  for (int i = 0; i < 4; ++i) {
    std::unique_ptr<MapLayer> layer = bench::makeBenchLayer(rng);
    layer->setName(names[i]);
    layer->kind = kinds[i];
    layer->width = 1024;
    layer->height = 1024;
    layer->cells.assign(1024 * 1024, MapCell{});
    for (MapCell& cell : layer->cells) {
      cell.tileset = 1;
      cell.tile = static_cast<std::int16_t>(rng() % 1000);
      cell.palette = static_cast<std::uint8_t>(rng() % 16);
    }
    project.insertLayer(std::move(layer), project.layerCount());
  }
  project.activeLayer = project.layerAt(2);
  AtomicSaveTarget target(argv[1]);
  if (!target.open() || !writeMapFile(target, project, registry) || !target.commit()) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
