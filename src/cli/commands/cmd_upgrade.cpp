#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "edit/session/map_file_commands.h"
#include "model/project/map_project.h"

namespace qarto {

int runUpgrade(const std::vector<std::string>& args) {
  CliArguments arguments({"-o"}, {"--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() != 1) {
    std::fprintf(stderr, "qarto-cli upgrade: %s\n", error.empty() ? "expected one map file" : error.c_str());
    return kExitUsage;
  }
  const std::string& path = arguments.positional()[0];
  const std::string target = arguments.value("-o").value_or(path);
  const int revision = mapFileRevision(path);
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  if (!context.loadMapFile(path)) return kExitFailed;
  MapProject& project = context.session().project();
  project.filePath = target;
  if (!saveMap(context.session(), false)) return kExitFailed;
  std::printf("%s: revision %d -> %s: revision 7\n", path.c_str(), revision, target.c_str());
  return kExitOk;
}

}  // namespace qarto
