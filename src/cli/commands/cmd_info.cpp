#include <cstdio>
#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "cli/json_writer.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

int entityCount(const MapLayer& layer) {
  int count = 0;
  for (int slot = 0; slot < kEntitySlots; ++slot) {
    const std::size_t offset = static_cast<std::size_t>(slot) * kEntityRecordSize;
    if (offset < layer.entities.size() && layer.entities[offset] != 0) ++count;
  }
  return count;
}

const char* boolText(bool value) { return value ? "true" : "false"; }

std::string infoJson(int revision, EditorSession& session) {
  MapProject& project = session.project();
  std::ostringstream out;
  out << "{\"revision\": " << revision << ", \"unoptimized\": " << boolText(project.unoptimizedMode)
      << ", \"lastTilesetId\": " << project.lastTilesetId << ", \"currentTilesetId\": " << project.currentTilesetId
      << ", \"activeLayer\": " << project.indexOf(project.activeLayer) << ", \"layers\": [";
  bool first = true;
  for (const auto& layer : project.layers()) {
    out << (first ? "" : ", ") << "{\"kind\": " << jsonString(layerKindName(layer->kind))
        << ", \"name\": " << jsonString(layer->nameText()) << ", \"width\": " << layer->width
        << ", \"height\": " << layer->height << ", \"parallaxX\": " << layer->parallaxX
        << ", \"parallaxY\": " << layer->parallaxY << ", \"visible\": " << boolText(layer->visible)
        << ", \"alpha\": " << boolText(layer->alpha) << ", \"locked\": " << boolText(layer->locked)
        << ", \"tileGrouping\": " << boolText(layer->tileGrouping);
    if (layer->isEntityLayer()) out << ", \"entities\": " << entityCount(*layer);
    out << "}";
    first = false;
  }
  out << "], \"tilesets\": [";
  first = true;
  for (const auto& [id, tileset] : session.registry()) {
    out << (first ? "" : ", ") << "{\"id\": " << id << ", \"name\": " << jsonString(tileset->displayName)
        << ", \"source\": " << jsonString(tileset->sourcePath) << ", \"width\": " << tileset->imageWidth
        << ", \"height\": " << tileset->imageHeight << ", \"collision\": " << boolText(tileset->isCollisionTileset)
        << ", \"collisionSet\": " << boolText(tileset->hasCollisionSet) << "}";
    first = false;
  }
  out << "]}\n";
  return out.str();
}

std::string infoText(int revision, EditorSession& session) {
  MapProject& project = session.project();
  std::ostringstream out;
  out << "Revision " << revision << (project.unoptimizedMode ? ", un-optimized mode" : "") << "\n";
  out << "Layers (bottom to top):\n";
  for (const auto& layer : project.layers()) {
    out << "  " << (layer.get() == project.activeLayer ? "* " : "  ") << layerKindName(layer->kind) << " \""
        << layer->nameText() << "\" " << layer->width << "x" << layer->height;
    if (layer->kind == LayerKind::Secondary) out << " parallax " << layer->parallaxX << "," << layer->parallaxY;
    if (layer->isEntityLayer()) out << ", " << entityCount(*layer) << " entities";
    out << "\n";
  }
  out << "Tilesets:\n";
  for (const auto& [id, tileset] : session.registry()) {
    out << "  " << id << " \"" << tileset->displayName << "\" " << tileset->imageWidth << "x"
        << tileset->imageHeight << (tileset->isCollisionTileset ? " (collision tiles)" : "")
        << (tileset->hasCollisionSet ? " with collision set" : "") << "\n";
  }
  return out.str();
}

}  // namespace

int runInfo(const std::vector<std::string>& args) {
  CliArguments arguments({}, {"--json", "--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() != 1) {
    std::fprintf(stderr, "qarto-cli info: %s\n", error.empty() ? "expected one map file" : error.c_str());
    return kExitUsage;
  }
  const std::string& path = arguments.positional()[0];
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  if (!context.loadMapFile(path)) return kExitFailed;
  const int revision = mapFileRevision(path);
  const std::string text = arguments.has("--json") ? infoJson(revision, context.session())
                                                   : infoText(revision, context.session());
  std::fputs(text.c_str(), stdout);
  return kExitOk;
}

}  // namespace qarto
