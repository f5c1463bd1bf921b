#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "export/layer_bmp_export.h"
#include "model/project/map_project.h"

namespace qarto {

int runLayerBmp(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--layer"}, {"--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() != 1 || !arguments.value("-o")) {
    std::fprintf(stderr, "qarto-cli layer-bmp: %s\n", error.empty() ? "expected one map file and -o OUT.bmp" : error.c_str());
    return kExitUsage;
  }
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  if (!context.loadMapFile(arguments.positional()[0])) return kExitFailed;
  MapProject& project = context.session().project();
  const MapLayer* layer = project.activeLayer;
  if (auto name = arguments.value("--layer")) {
    layer = nullptr;
    for (const auto& candidate : project.layers()) {
      if (candidate->nameText() == *name) {
        layer = candidate.get();
        break;
      }
    }
    if (layer == nullptr) {
      std::fprintf(stderr, "qarto-cli layer-bmp: the map has no layer named \"%s\"\n", name->c_str());
      return kExitFailed;
    }
  }
  const std::string out = *arguments.value("-o");
  if (!exportLayerToBmpFile(layer, context.session().registry(), context.services(), out)) return kExitFailed;
  std::printf("%s: layer \"%s\" written to %s\n", arguments.positional()[0].c_str(),
              layer ? layer->nameText().c_str() : "", out.c_str());
  return kExitOk;
}

}  // namespace qarto
