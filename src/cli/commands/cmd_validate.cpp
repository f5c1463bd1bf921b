#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "export/tileset_validation.h"

namespace qarto {

int runValidate(const std::vector<std::string>& args) {
  CliArguments arguments({"--sparse", "--image"}, {"--no-16-colour"});
  std::string error;
  ValidationOptions options;
  options.checkInvalid16 = true;
  bool ok = arguments.parse(args, error) && arguments.intValue("--sparse", options.threshold, error);
  if (ok && arguments.value("--sparse")) {
    options.checkSparse = true;
    if (options.threshold < 1 || options.threshold > 63) {
      error = "option --sparse must lie between 1 and 63";
      ok = false;
    }
  }
  if (ok && arguments.positional().size() != 1) {
    error = "expected one tile page image";
    ok = false;
  }
  if (!ok) {
    std::fprintf(stderr, "qarto-cli validate: %s\n", error.c_str());
    return kExitUsage;
  }
  options.checkInvalid16 = !arguments.has("--no-16-colour");
  if (!options.checkInvalid16 && !options.checkSparse) {
    std::fprintf(stderr, "qarto-cli validate: nothing to check (--no-16-colour without --sparse)\n");
    return kExitUsage;
  }
  const ValidationRun run = validateTilesetFile(arguments.positional()[0], options, arguments.value("--image"));
  if (!run.report.empty()) std::printf("%s\n", run.report.c_str());
  if (!run.ok) {
    std::fprintf(stderr, "%s\n", run.message.c_str());
    return kExitFailed;
  }
  return run.errorsFound ? kExitFailed : kExitOk;
}

}  // namespace qarto
