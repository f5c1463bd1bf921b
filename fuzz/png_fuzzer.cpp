// Decodes arbitrary bytes as a PNG, once as given and once with every chunk's
// CRC made right, so that mutations reach the chunk parsing instead of
// stopping at the checksum. What decodes must be a whole image whose indices
// fit the file's bit depth and that survives a BMP write and read unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "png_checksums.h"
#include "io/images/bmp_codec.h"
#include "io/images/display_image.h"
#include "io/images/png_reader.h"

namespace {

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
