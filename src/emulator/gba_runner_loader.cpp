#include "emulator/gba_runner_loader.h"

#include "modules/module_loader.h"

namespace qarto {

namespace {

GbaRunnerModule loaded;

#ifndef QARTO_GBA_RUNNER_BUILD_PATH

std::string load() { return "this build has no emulator module: libmgba was not found when it was configured"; }

#else

template <typename Function>
bool resolve(ModuleLoader& module, const char* name, Function& function, std::string& error) {
  function = module.entry<Function>(name, error);
  return function != nullptr;
}

std::string load() {
  // Beside the program or installed with it; else where this build made it.
  static ModuleLoader module("qarto-gba-runner.so", {QARTO_GBA_RUNNER_BUILD_PATH});
  std::string error;
  if (!module.open(error)) return error;
  QartoGbaRunnerAbiFn abi = nullptr;
  GbaRunnerModule functions;
  const bool complete = resolve(module, "qarto_gba_runner_abi", abi, error) &&
                        resolve(module, "qarto_gba_runner_create", functions.create, error) &&
                        resolve(module, "qarto_gba_runner_destroy", functions.destroy, error) &&
                        resolve(module, "qarto_gba_runner_set_keys", functions.setKeys, error) &&
                        resolve(module, "qarto_gba_runner_run_frame", functions.runFrame, error) &&
                        resolve(module, "qarto_gba_runner_frame", functions.frame, error) &&
                        resolve(module, "qarto_gba_runner_read32", functions.read32, error);
  if (!complete || abi() != QARTO_GBA_RUNNER_ABI) return "the emulator module belongs to another version of Qarto";
  loaded = functions;
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
