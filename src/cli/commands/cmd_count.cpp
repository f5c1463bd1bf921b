#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "export/export_preparation.h"

namespace qarto {

int runCount(const std::vector<std::string>& args) {
  CliArguments arguments({}, {"--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() != 1) {
    std::fprintf(stderr, "qarto-cli count: %s\n", error.empty() ? "expected one map file" : error.c_str());
    return kExitUsage;
  }
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  if (!context.loadMapFile(arguments.positional()[0])) return kExitFailed;
  ExportRequest request;
  request.countOnly = true;
  // The report itself is shown through the services, on stdout.
  const PreparedExport prepared = prepareExport(context.session().project(), request);
  return prepared.status == ExportStatus::CountsReported ? kExitOk : kExitFailed;
}

}  // namespace qarto
