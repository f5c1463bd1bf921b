#include "cli/module_loader/module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <system_error>

#ifndef QARTO_MODULE_FOLDER
#define QARTO_MODULE_FOLDER "../lib/qarto"
#endif

namespace qarto {

namespace {

std::string programFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  return std::filesystem::path(std::string(path, static_cast<std::size_t>(length))).parent_path().string();
}

}  // namespace

ModuleLoader::ModuleLoader(std::string fileName) : fileName_(std::move(fileName)) {}

std::vector<std::string> ModuleLoader::searchFolders() {
  const std::filesystem::path program = programFolder();
  return {program.string(), (program / QARTO_MODULE_FOLDER).lexically_normal().string()};
}

bool ModuleLoader::open(std::string& message) {
  if (handle_ != nullptr) return true;
  std::string looked;
  for (const std::string& folder : searchFolders()) {
    const std::string path = (std::filesystem::path(folder) / fileName_).string();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
      looked += (looked.empty() ? "" : " and ") + folder;
      continue;
    }
    // RTLD_LOCAL: the module's libraries stay out of the program's symbol scope.
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
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
