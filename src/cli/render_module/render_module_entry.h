#pragma once

#include <string>
#include <vector>

namespace qarto {

// qarto-cli render lives in a module of its own (it links OSMesa, GLU and
// through Mesa LLVM, which take longer to map than most commands take to
// run). qarto-cli opens it only for render and calls this one function with
// the arguments after the command's name; it returns the exit code.
inline constexpr const char* kRenderModuleFile = "qarto-render.so";
inline constexpr const char* kRenderEntryName = "qarto_render_main";
using RenderEntry = int (*)(const std::vector<std::string>& args);

}  // namespace qarto
