// Decodes arbitrary bytes as a PNG, once as given and once with every chunk's
// CRC made right, so that mutations reach the chunk parsing instead of
// stopping at the checksum. What decodes must be a whole image whose indices
// fit the file's bit depth and that survives a BMP write and read unchanged.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "io/images/bmp_codec.h"
#include "io/images/display_image.h"
#include "io/images/png_reader.h"

namespace {

std::uint32_t loadBigEndian(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::vector<std::uint8_t> withRightChecksums(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  for (std::size_t at = 8; at + 12 <= bytes.size();) {
    const std::uint64_t length = loadBigEndian(bytes.data() + at);
    if (length > bytes.size() - at - 12) break;
    const auto crc = static_cast<std::uint32_t>(crc32(0, bytes.data() + at + 4, static_cast<uInt>(length + 4)));
    std::uint8_t* stored = bytes.data() + at + 8 + length;
    for (int i = 0; i < 4; ++i) stored[i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
  return bytes;
}

void decode(const std::uint8_t* data, std::size_t size) {
  qarto::IndexedImage image;
  std::string message;
  if (!qarto::decodePngImage(data, size, "fuzz.png", image, message)) {
    FUZZ_CHECK(!message.empty() && message != qarto::kNoErrors);
    FUZZ_CHECK(image.pixels.empty());
    return;
  }
  FUZZ_CHECK(size > 24);
  FUZZ_CHECK(image.imageWidth > 0 && image.imageHeight > 0);
  FUZZ_CHECK(image.imageWidth % 8 == 0 && image.imageHeight % 8 == 0);
  FUZZ_CHECK(image.pixels.size() == static_cast<std::size_t>(image.imageWidth) * image.imageHeight);
  FUZZ_CHECK(image.pixels.size() <= 8 * 1032 * size);
  const int bitDepth = data[24];  // IHDR comes first
  for (const std::uint8_t index : image.pixels) FUZZ_CHECK(index < (1 << bitDepth));

  const qarto::DisplayImage display = qarto::makeDisplayImage(image);
  FUZZ_CHECK(display.rgba.size() == image.pixels.size() * 4);
  const std::vector<std::uint8_t> written = qarto::encodeIndexedBmp(image, 256);
  qarto::IndexedImage again;
  FUZZ_CHECK(qarto::decodeBmpImage(written.data(), written.size(), "again.bmp", again, message));
  FUZZ_CHECK(again.pixels == image.pixels && again.palette == image.palette);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  decode(data, size);
  const std::vector<std::uint8_t> mended = withRightChecksums(data, size);
  decode(mended.data(), mended.size());
  return 0;
}
