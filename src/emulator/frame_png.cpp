#include "emulator/frame_png.h"

#include <vector>

#include "emulator/gba_runner_api.h"
#include "io/images/png_writer.h"

namespace qarto {

bool writeFramePng(const std::string& path, std::span<const std::uint32_t> frame, std::string& error) {
  constexpr int kWidth = QARTO_GBA_SCREEN_WIDTH;
  constexpr int kHeight = QARTO_GBA_SCREEN_HEIGHT;
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(kWidth) * kHeight * 3);
  for (std::size_t i = 0; i < static_cast<std::size_t>(kWidth) * kHeight; ++i) {
    const std::uint32_t pixel = frame[i];
    rgb.insert(rgb.end(), {static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 8),
                           static_cast<std::uint8_t>(pixel >> 16)});
  }
  return writeRgbPng(path, kWidth, kHeight, rgb, error);
}

}  // namespace qarto
