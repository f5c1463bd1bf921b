#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "edit/layers/source/source_layer_import.h"
#include "edit/session/map_file_commands.h"
#include "model/project/map_layer.h"
#include "model/project/map_project.h"

namespace qarto {

namespace {

bool isIdentifier(const std::string& text) {
  if (text.empty() || (text[0] >= '0' && text[0] <= '9')) return false;
  for (char c : text) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
  }
  return true;
}

// FILE or FILE:ARRAY; a ":" counts only when a C name follows it.
SourceArrayChoice arrayChoice(const std::string& argument) {
  const std::size_t colon = argument.rfind(':');
  if (colon == std::string::npos || colon == 0 || !isIdentifier(argument.substr(colon + 1))) return {argument, {}};
  return {argument.substr(0, colon), argument.substr(colon + 1)};
}

}  // namespace

int runImportLayer(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--palette", "--tiles", "--map", "--width"}, {"--yes"});
  std::string error;
  SourceLayerRequest request;
  request.width = -1;
  bool ok = arguments.parse(args, error) && arguments.intValue("--width", request.width, error);
  if (ok && (arguments.positional().size() != 1 || !arguments.value("--palette") || !arguments.value("--tiles") ||
             !arguments.value("--map") || !arguments.value("--width"))) {
    error = "expected one map file, --palette, --tiles, --map and --width";
    ok = false;
  }
  if (!ok) {
    std::fprintf(stderr, "qarto-cli import-layer: %s\n", error.c_str());
    return kExitUsage;
  }
  request.palette = arrayChoice(*arguments.value("--palette"));
  request.tiles = arrayChoice(*arguments.value("--tiles"));
  request.map = arrayChoice(*arguments.value("--map"));

  const std::string& path = arguments.positional()[0];
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  if (!context.loadMapFile(path)) return kExitFailed;
  // The page is written beside the map that is saved.
  context.session().project().filePath = arguments.value("-o").value_or(path);
  const SourceLayerImport imported = importSourceLayer(context.session(), request);
  if (imported.layer == nullptr) return kExitFailed;
  if (!saveMap(context.session(), false)) return kExitFailed;
  const MapLayer& layer = *imported.layer;
  std::printf("%s: layer \"%s\" of %d x %d tiles added (%s), tile page %s (%s)\n",
              context.session().project().filePath.c_str(), layer.nameText().c_str(), layer.width, layer.height,
              layer.kind == LayerKind::Primary ? "primary" : "secondary", imported.pagePath.c_str(),
              imported.pageReused ? "already loaded" : "loaded");
  return kExitOk;
}

}  // namespace qarto
