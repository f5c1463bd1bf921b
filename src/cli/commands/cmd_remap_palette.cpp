#include <cstdio>
#include <optional>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "edit/palette/palette_remapper.h"
#include "edit/session/map_file_commands.h"
#include "model/project/map_project.h"
#include "model/settings/number_text.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

// "A,B" as two palette rows.
std::optional<std::pair<int, int>> twoRows(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const std::optional<int> a = parseIntegerText(std::string_view(text).substr(0, comma));
  const std::optional<int> b = parseIntegerText(std::string_view(text).substr(comma + 1));
  if (!a || !b || *a < 0 || *b < 0 || *a >= kPaletteRows || *b >= kPaletteRows || *a == *b) return std::nullopt;
  return std::pair(*a, *b);
}

int usage(const char* reason) {
  std::fprintf(stderr, "qarto-cli remap-palette: %s\n", reason);
  return kExitUsage;
}

}  // namespace

int runRemapPalette(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--move", "--merge", "--tileset"}, {"--yes"});
  std::string error;
  if (!arguments.parse(args, error)) return usage(error.c_str());
  if (arguments.positional().size() != 1) return usage("expected one map file");
  const std::optional<std::string> move = arguments.value("--move");
  const std::optional<std::string> merge = arguments.value("--merge");
  if (move.has_value() == merge.has_value()) return usage("expected one of --move FROM,TO and --merge FROM,INTO");
  const std::optional<std::pair<int, int>> rows = twoRows(move ? *move : *merge);
  if (!rows) return usage("rows are two different numbers from 0 to 15, as FROM,TO");

  const std::string& path = arguments.positional()[0];
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  if (!context.loadMapFile(path)) return kExitFailed;
  EditorSession& session = context.session();
  const Tileset* first = session.registry().firstNonCollision();
  int page = first != nullptr ? first->id : -1;
  if (const std::optional<std::string> chosen = arguments.value("--tileset")) page = parseIntegerText(*chosen).value_or(-1);
  const Tileset* tileset = page >= 0 ? session.registry().find(page) : nullptr;
  if (tileset == nullptr || tileset->isCollisionTileset) {
    std::fprintf(stderr, "qarto-cli remap-palette: %s has no such tile page\n", path.c_str());
    return kExitFailed;
  }
  const bool done = move ? movePaletteRow(session, page, rows->first, rows->second)
                         : mergePaletteRows(session, page, rows->first, rows->second);
  if (!done) return kExitFailed;  // the reason has been printed
  session.project().filePath = arguments.value("-o").value_or(path);
  if (!saveMap(session, false)) return kExitFailed;
  std::printf("Tile page %d: row %d %s row %d\n", page, rows->first, move ? "moved to" : "merged into",
              rows->second);
  return kExitOk;
}

}  // namespace qarto
