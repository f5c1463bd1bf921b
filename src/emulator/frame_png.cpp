#include "emulator/frame_png.h"

#include <zlib.h>

#include <vector>

#include "emulator/gba_runner_api.h"
#include "io/files/atomic_file.h"

namespace qarto {

namespace {

void putBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void putChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
  putBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBig32(out, static_cast<std::uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

}  // namespace

bool writeFramePng(const std::string& path, std::span<const std::uint32_t> frame, std::string& error) {
  constexpr int kWidth = QARTO_GBA_SCREEN_WIDTH;
  constexpr int kHeight = QARTO_GBA_SCREEN_HEIGHT;
  // Each row: filter type 0, then red, green, blue per pixel.
  std::vector<std::uint8_t> rows;
  rows.reserve(static_cast<std::size_t>(kHeight) * (1 + 3 * kWidth));
  for (int y = 0; y < kHeight; ++y) {
    rows.push_back(0);
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t pixel = frame[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)];
      rows.insert(rows.end(), {static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 8),
                               static_cast<std::uint8_t>(pixel >> 16)});
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), Z_BEST_COMPRESSION) != Z_OK) {
    error = "the frame could not be compressed";
    return false;
  }
  packed.resize(packedSize);

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  putBig32(header, kWidth);
  putBig32(header, kHeight);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", packed);
  putChunk(png, "IEND", {});
  if (!writeFileAtomically(path, png.data(), png.size())) {
    error = "the picture could not be written to " + path;
    return false;
  }
  return true;
}

}  // namespace qarto
