#include <cstdio>
#include <string>
#include <string_view>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "modules/module_loader.h"
#include "cli/render_module/render_module_entry.h"

namespace qarto {

// The drawing itself is in the render module, opened only now: the other
// commands never map the off-screen GL.
int runRender(const std::vector<std::string>& args) {
  static ModuleLoader module(kRenderModuleFile);
  std::string message;
  RenderEntry entry = nullptr;
  if (module.open(message)) entry = module.entry<RenderEntry>(kRenderEntryName, message);
  if (entry == nullptr) {
    std::fprintf(stderr,
                 "qarto-cli render: %s.\nThe render module is built and installed with qarto-cli and needs OSMesa "
                 "and GLU (Debian packages libosmesa6 and libglu1-mesa).\n",
                 message.c_str());
    return kExitFailed;
  }
  return entry(args);
}

}  // namespace qarto
