#include "emulator/gba_runner_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

#include "emulator/program_folder.h"

namespace qarto {

namespace {

GbaRunnerModule loaded;

#ifndef QARTO_GBA_RUNNER_BUILD_PATH

std::string load() { return "this build has no emulator module: libmgba was not found when it was configured"; }

#else

constexpr const char* kModuleName = "qarto-gba-runner.so";

std::vector<std::string> candidates() {
  const std::string folder = runningProgramFolder();
  return {folder + "/" + QARTO_GBA_RUNNER_INSTALLED, folder + "/" + kModuleName, QARTO_GBA_RUNNER_BUILD_PATH};
}

template <typename Function>
bool resolve(void* handle, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  return function != nullptr;
}

std::string load() {
  void* handle = nullptr;
  std::string reasons;
  for (const std::string& path : candidates()) {
    if (access(path.c_str(), R_OK) != 0) continue;
    handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (handle != nullptr) break;
    reasons += std::string(reasons.empty() ? "" : "; ") + dlerror();
  }
  if (handle == nullptr) {
    return reasons.empty() ? std::string("the emulator module ") + kModuleName + " is not installed beside the program"
                           : "the emulator module could not be loaded: " + reasons;
  }
  QartoGbaRunnerAbiFn abi = nullptr;
  GbaRunnerModule module;
  const bool complete = resolve(handle, "qarto_gba_runner_abi", abi) &&
                        resolve(handle, "qarto_gba_runner_create", module.create) &&
                        resolve(handle, "qarto_gba_runner_destroy", module.destroy) &&
                        resolve(handle, "qarto_gba_runner_set_keys", module.setKeys) &&
                        resolve(handle, "qarto_gba_runner_run_frame", module.runFrame) &&
                        resolve(handle, "qarto_gba_runner_frame", module.frame) &&
                        resolve(handle, "qarto_gba_runner_read32", module.read32);
  if (!complete || abi() != QARTO_GBA_RUNNER_ABI) {
    dlclose(handle);
    return "the emulator module belongs to another version of Qarto";
  }
  loaded = module;
  return {};
}

#endif

}  // namespace

const GbaRunnerModule* loadGbaRunnerModule(std::string& error) {
  static const std::string failure = load();
  error = failure;
  return failure.empty() ? &loaded : nullptr;
}

}  // namespace qarto
