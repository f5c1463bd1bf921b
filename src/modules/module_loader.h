#pragma once

#include <string>
#include <vector>

namespace qarto {

// Opens a module shipped with the programs: a shared library whose
// dependencies are heavy (the off-screen GL and its LLVM for qarto-cli
// render, libmgba for playing a map), so that they are mapped only when they
// are needed and everything else starts without them. A module is looked for
// beside the program (the build tree), then in the module folder of an
// installed copy, then at the paths the caller adds (where the build tree
// keeps it). It stays loaded until the process ends: what it brings (Mesa's
// LLVM among it) is not made to be unloaded.
class ModuleLoader {
 public:
  // `fileName` as built, for example "qarto-render.so".
  explicit ModuleLoader(std::string fileName, std::vector<std::string> morePaths = {});

  // False with the user-facing reason when the module is missing or cannot
  // be loaded (a library it needs is not installed).
  bool open(std::string& message);
  // The function `name` of the opened module; null with the reason when
  // the module lacks it (a module of another build).
  template <typename Function>
  Function entry(const char* name, std::string& message) {
    return reinterpret_cast<Function>(symbol(name, message));
  }

  // Where modules are looked for, in order: the program's folder, then the
  // module folder relative to it where Qarto is installed.
  static std::vector<std::string> searchFolders();

 private:
  void* symbol(const char* name, std::string& message);

  std::string fileName_;
  std::vector<std::string> morePaths_;
  void* handle_ = nullptr;
};

}  // namespace qarto
