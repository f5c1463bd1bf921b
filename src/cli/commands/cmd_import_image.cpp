#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "edit/layers/picture/picture_import.h"
#include "edit/session/map_file_commands.h"
#include "io/files/path_utils.h"
#include "model/project/map_project.h"

namespace qarto {

int runImportImage(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--into", "--layer", "--backdrop"}, {"--reduce", "--yes"});
  std::string error;
  bool ok = arguments.parse(args, error);
  if (ok && (arguments.positional().size() != 1 || !arguments.value("-o"))) {
    error = "expected one picture and -o MAP.qrm";
    ok = false;
  }
  PictureRequest request;
  if (ok && arguments.value("--backdrop")) {
    request.backdrop = parseBackdrop(*arguments.value("--backdrop"));
    if (!request.backdrop) {
      error = "--backdrop takes a colour as RRGGBB";
      ok = false;
    }
  }
  if (!ok) {
    std::fprintf(stderr, "qarto-cli import-image: %s\n", error.c_str());
    return kExitUsage;
  }
  request.path = arguments.positional()[0];
  request.layerName = arguments.value("--layer").value_or("");
  request.reduceColours = arguments.has("--reduce");

  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  const std::string out = *arguments.value("-o");
  MapProject& project = context.session().project();
  if (const auto into = arguments.value("--into")) {
    if (!context.loadMapFile(*into)) return kExitFailed;
  }
  // The page is written beside the map that is saved.
  request.pageFolder = splitPath(out).folder;
  const bool intoMap = arguments.value("--into").has_value();
  const PictureImport imported =
      intoMap ? importPictureLayer(context.session(), request) : newMapFromPicture(context.session(), request, {});
  if (imported.layer == nullptr || imported.page == nullptr) return kExitFailed;
  project.filePath = out;
  if (!saveMap(context.session(), false)) return kExitFailed;
  const PicturePage& page = imported.reduction;
  std::printf("%s: layer \"%s\" of %d x %d cells, tile page %s: %d tiles in %d palette banks (%s)\n", out.c_str(),
              imported.layer->nameText().c_str(), imported.layer->width, imported.layer->height,
              imported.pagePath.c_str(), page.tiles, page.banks, packingMethodName(page.method));
  if (page.coloursMerged > 0) {
    std::printf("reduce colours: %d colours merged, largest change of a channel %d of 31\n", page.coloursMerged,
                page.largestColourChange);
  }
  return kExitOk;
}

}  // namespace qarto
