#pragma once

#include <string>

#include "emulator/gba_runner_api.h"

namespace qarto {

// The emulator module's functions, once loaded.
struct GbaRunnerModule {
  QartoGbaRunnerCreateFn create = nullptr;
  QartoGbaRunnerDestroyFn destroy = nullptr;
  QartoGbaRunnerSetKeysFn setKeys = nullptr;
  QartoGbaRunnerRunFrameFn runFrame = nullptr;
  QartoGbaRunnerFrameFn frame = nullptr;
  QartoGbaRunnerRead32Fn read32 = nullptr;
};

// Opens the emulator module (and with it libmgba) on first use and keeps it
// for the life of the process (see ModuleLoader for where it is looked for).
// Null with the reason in `error` when it cannot be loaded.
const GbaRunnerModule* loadGbaRunnerModule(std::string& error);

}  // namespace qarto
