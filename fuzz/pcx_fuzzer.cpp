// Decodes arbitrary bytes as a PCX; what decodes must be a whole image whose
// pixel count the file's data could actually produce.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "io/images/bmp_codec.h"
#include "io/images/display_image.h"
#include "io/images/pcx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qarto::IndexedImage image;
  std::string message;
  if (!qarto::decodePcxImage(data, size, "fuzz.pcx", image, message)) {
    FUZZ_CHECK(!message.empty() && message != qarto::kNoErrors);
    FUZZ_CHECK(image.pixels.empty());
    return 0;
  }
  FUZZ_CHECK(size >= 128 + 768);
  FUZZ_CHECK(image.imageWidth > 0 && image.imageHeight > 0);
  FUZZ_CHECK(image.imageWidth % 8 == 0 && image.imageHeight % 8 == 0);
  FUZZ_CHECK(image.pixels.size() == static_cast<std::size_t>(image.imageWidth) * image.imageHeight);
  FUZZ_CHECK(image.pixels.size() <= 32 * (size - 128 - 768) + 1);
  for (std::size_t i = 0; i < 768; ++i) FUZZ_CHECK(image.palette[i] == data[size - 768 + i]);

  const qarto::DisplayImage display = qarto::makeDisplayImage(image);
  FUZZ_CHECK(display.rgba.size() == image.pixels.size() * 4);
  return 0;
}
