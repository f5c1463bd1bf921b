#include "emulator_frame.h"

#include <bit>
#include <cstring>

// flags.h first: it decides the layout of struct mCore.
// clang-format off
#include <mgba/flags.h>
#include <mgba/core/core.h>
#include <mgba/core/log.h>
#include <mgba-util/vfs.h>
// clang-format on

namespace qarto::gba {
namespace {

static_assert(sizeof(color_t) == 4, "the frame is read as 8 bits per channel");
static_assert(std::endian::native == std::endian::little, "the parameter block is copied byte for byte");
static_assert(sizeof(viewer_params) == 40, "the viewer and the host must agree on the parameter block");

constexpr std::uint32_t kDisplayControl = 0x04000000;
constexpr std::uint32_t kBackgroundsEnabled = 0x0F00;
// The viewer is done within its first frame; more means it is stuck.
constexpr int kFramesToWait = 10;

void discardLog(mLogger*, int, mLogLevel, const char*, va_list) {}

mLogger quietLogger{discardLog, nullptr};

// Owns a core for one run.
struct CoreHandle {
  mCore* core = nullptr;
  ~CoreHandle() {
    if (core == nullptr) return;
    mCoreConfigDeinit(&core->config);
    core->deinit(core);
  }
};

}  // namespace

EmulatorFrame runViewer(const std::vector<std::uint8_t>& rom, const viewer_params& params) {
  EmulatorFrame result;
  if (rom.size() < VIEWER_PARAMS_ROM_OFFSET + sizeof params) {
    result.error = "the ROM image is too short";
    return result;
  }
  std::vector<std::uint8_t> image = rom;
  std::memcpy(image.data() + VIEWER_PARAMS_ROM_OFFSET, &params, sizeof params);

  mLogSetDefaultLogger(&quietLogger);
  // The core reads the image through this file, which must outlive it.
  VFile* file = VFileFromConstMemory(image.data(), image.size());
  CoreHandle handle;
  handle.core = mCoreFindVF(file);
  if (handle.core == nullptr) {
    file->close(file);
    result.error = "the emulator does not take the image as a GBA ROM";
    return result;
  }
  mCore* core = handle.core;
  if (!core->init(core)) {
    handle.core = nullptr;
    file->close(file);
    result.error = "the emulator core did not start";
    return result;
  }
  // A fresh configuration, never the user's file.
  mCoreInitConfig(core, nullptr);
  core->opts.skipBios = true;
  core->opts.useBios = false;

  unsigned width = 0;
  unsigned height = 0;
  core->desiredVideoDimensions(core, &width, &height);
  if (width != kScreenWidth || height != kScreenHeight) {
    file->close(file);
    result.error = "unexpected screen size";
    return result;
  }
  std::vector<color_t> buffer(static_cast<std::size_t>(width) * height);
  core->setVideoBuffer(core, buffer.data(), width);
  if (!core->loadROM(core, file)) {
    result.error = "the emulator did not load the image";
    return result;
  }
  core->reset(core);

  int frames = 0;
  while ((core->busRead16(core, kDisplayControl) & kBackgroundsEnabled) == 0) {
    if (++frames > kFramesToWait) {
      result.error = "the viewer never switched the display on";
      return result;
    }
    core->runFrame(core);
  }
  // The frame in which the viewer finished may be half blank; the next is whole.
  core->runFrame(core);

  result.pixels.resize(buffer.size());
  for (std::size_t i = 0; i < buffer.size(); ++i) result.pixels[i] = buffer[i] & 0x00FFFFFFu;
  return result;
}

}  // namespace qarto::gba
