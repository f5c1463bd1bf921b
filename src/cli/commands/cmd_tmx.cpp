#include <cstdio>
#include <map>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "edit/entities/entity_catalogue.h"
#include "edit/session/map_file_commands.h"
#include "edit/session/tileset_commands.h"
#include "edit/tmx/tiled_map_commands.h"
#include "model/project/map_project.h"

namespace qarto {

int runImportTmx(const std::vector<std::string>& args) {
  CliArguments arguments({"-o"}, {"--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() != 1 || !arguments.value("-o")) {
    std::fprintf(stderr, "qarto-cli import-tmx: %s\n", error.empty() ? "expected one TMX file and -o OUT.qrm" : error.c_str());
    return kExitUsage;
  }
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  EditorSession& session = context.session();
  // Collision layers refer to the collision tile page, as in the editor.
  loadCollisionTileset(session);
  const EntityCatalogue catalogue;
  TmxImport imported = readTiledMap(session, catalogue, arguments.positional()[0]);
  if (!imported.ok) {
    std::fprintf(stderr, "qarto-cli import-tmx: %s\n", imported.message.c_str());
    return kExitFailed;
  }
  installTiledMap(session, imported);
  session.project().filePath = *arguments.value("-o");
  if (!saveMap(session, false)) return kExitFailed;
  std::printf("%s\n", imported.summary.c_str());
  return kExitOk;
}

int runExportTmx(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--cells"}, {"--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() != 1 || !arguments.value("-o")) {
    std::fprintf(stderr, "qarto-cli export-tmx: %s\n", error.empty() ? "expected one map file and -o OUT.tmx" : error.c_str());
    return kExitUsage;
  }
  static const std::map<std::string, TmxCellFormat> kFormats = {
      {"csv", {TmxEncoding::Csv, TmxCompression::None}},     {"xml", {TmxEncoding::Xml, TmxCompression::None}},
      {"base64", {TmxEncoding::Base64, TmxCompression::None}}, {"zlib", {TmxEncoding::Base64, TmxCompression::Zlib}},
      {"gzip", {TmxEncoding::Base64, TmxCompression::Gzip}},  {"zstd", {TmxEncoding::Base64, TmxCompression::Zstd}}};
  const auto format = kFormats.find(arguments.value("--cells").value_or("csv"));
  if (format == kFormats.end()) {
    std::fprintf(stderr, "qarto-cli export-tmx: --cells takes csv, xml, base64, zlib, gzip or zstd\n");
    return kExitUsage;
  }
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  if (!context.loadMapFile(arguments.positional()[0])) return kExitFailed;
  const EntityCatalogue catalogue;
  const std::string target = arguments.value("-o").value_or("");
  if (!writeTiledMap(context.session(), catalogue, target, format->second, error)) {
    std::fprintf(stderr, "qarto-cli export-tmx: %s\n", error.c_str());
    return kExitFailed;
  }
  std::printf("%s: written with its tile pages beside it\n", target.c_str());
  return kExitOk;
}

}  // namespace qarto
