#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"

namespace qarto {

namespace {
int notYet(const char* name) {
  std::fprintf(stderr, "qarto-cli %s: not available in this build\n", name);
  return kExitFailed;
}
}  // namespace

int runExport(const std::vector<std::string>&) { return notYet("export"); }
int runCount(const std::vector<std::string>&) { return notYet("count"); }
int runLayerBmp(const std::vector<std::string>&) { return notYet("layer-bmp"); }
int runValidate(const std::vector<std::string>&) { return notYet("validate"); }

}  // namespace qarto
