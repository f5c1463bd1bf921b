// The emulator module: one GBA in libmgba, run frame by frame.
#include <cstdio>
#include <memory>
#include <vector>

#include "emulator/gba_runner_api.h"

// flags.h first: it decides the layout of struct mCore.
// clang-format off
#include <mgba/flags.h>
#include <mgba/core/core.h>
#include <mgba/core/log.h>
#include <mgba-util/vfs.h>
// clang-format on

static_assert(sizeof(color_t) == 4, "frames are handed out at 8 bits per channel");

namespace {

void discardLog(mLogger*, int, mLogLevel, const char*, va_list) {}

mLogger quietLogger{discardLog, nullptr};

}  // namespace

struct QartoGbaRunner {
  std::vector<std::uint8_t> rom;  // the core reads the image from here while it runs
  std::vector<color_t> frame;
  mCore* core = nullptr;
  bool initialised = false;

  ~QartoGbaRunner() {
    if (core == nullptr) return;
    if (initialised) {
      mCoreConfigDeinit(&core->config);
      core->deinit(core);
    }
  }
};

namespace {

QartoGbaRunner* fail(QartoGbaRunner* runner, const char* reason, char* error, std::size_t errorSize) {
  if (error != nullptr && errorSize > 0) std::snprintf(error, errorSize, "%s", reason);
  delete runner;
  return nullptr;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int qarto_gba_runner_abi(void) { return QARTO_GBA_RUNNER_ABI; }

__attribute__((visibility("default"))) QartoGbaRunner* qarto_gba_runner_create(const std::uint8_t* rom,
                                                                               std::size_t size, char* error,
                                                                               std::size_t errorSize) {
  mLogSetDefaultLogger(&quietLogger);
  auto* runner = new QartoGbaRunner;
  runner->rom.assign(rom, rom + size);
  VFile* file = VFileFromConstMemory(runner->rom.data(), runner->rom.size());
  if (file == nullptr) return fail(runner, "the emulator could not read the image", error, errorSize);
  runner->core = mCoreFindVF(file);
  if (runner->core == nullptr) {
    file->close(file);
    return fail(runner, "the emulator does not take the image as a GBA ROM", error, errorSize);
  }
  mCore* core = runner->core;
  if (!core->init(core)) {
    file->close(file);
    runner->core = nullptr;
    return fail(runner, "the emulator core did not start", error, errorSize);
  }
  runner->initialised = true;
  // A fresh configuration, never the user's file.
  mCoreInitConfig(core, nullptr);
  core->opts.skipBios = true;
  core->opts.useBios = false;
  unsigned width = 0;
  unsigned height = 0;
  core->desiredVideoDimensions(core, &width, &height);
  if (width != QARTO_GBA_SCREEN_WIDTH || height != QARTO_GBA_SCREEN_HEIGHT) {
    file->close(file);
    return fail(runner, "the emulator's screen is not 240 x 160", error, errorSize);
  }
  runner->frame.assign(static_cast<std::size_t>(width) * height, 0);
  core->setVideoBuffer(core, runner->frame.data(), width);
  if (!core->loadROM(core, file)) {
    file->close(file);
    return fail(runner, "the emulator did not load the image", error, errorSize);
  }
  core->reset(core);
  return runner;
}

__attribute__((visibility("default"))) void qarto_gba_runner_destroy(QartoGbaRunner* runner) { delete runner; }

__attribute__((visibility("default"))) void qarto_gba_runner_set_keys(QartoGbaRunner* runner, std::uint32_t keys) {
  runner->core->setKeys(runner->core, keys);
}

__attribute__((visibility("default"))) void qarto_gba_runner_run_frame(QartoGbaRunner* runner) {
  runner->core->runFrame(runner->core);
}

__attribute__((visibility("default"))) const std::uint32_t* qarto_gba_runner_frame(QartoGbaRunner* runner) {
  for (color_t& pixel : runner->frame) pixel &= 0x00FFFFFFu;
  return reinterpret_cast<const std::uint32_t*>(runner->frame.data());
}

__attribute__((visibility("default"))) std::uint32_t qarto_gba_runner_read32(QartoGbaRunner* runner,
                                                                             std::uint32_t address) {
  return runner->core->busRead32(runner->core, address);
}

}  // extern "C"
