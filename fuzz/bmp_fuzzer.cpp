// Decodes arbitrary bytes as a BMP. Whatever decodes must survive a write and
// a second read unchanged, and give a display image of the right size.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "io/images/bmp_codec.h"
#include "io/images/display_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qarto::IndexedImage image;
  std::string message;
  if (!qarto::decodeBmpImage(data, size, "fuzz.bmp", image, message)) {
    FUZZ_CHECK(!message.empty() && message != qarto::kNoErrors);
    FUZZ_CHECK(image.pixels.empty());
    return 0;
  }
  FUZZ_CHECK(image.imageWidth > 0 && image.imageHeight > 0);
  FUZZ_CHECK(image.imageWidth % 8 == 0 && image.imageHeight % 8 == 0);
  FUZZ_CHECK(image.pixels.size() == static_cast<std::size_t>(image.imageWidth) * image.imageHeight);
  // The pixel bytes come from the file: never more pixels than twice its size.
  FUZZ_CHECK(image.pixels.size() <= 2 * size);

  const qarto::DisplayImage display = qarto::makeDisplayImage(image);
  FUZZ_CHECK(display.rgba.size() == image.pixels.size() * 4);

  const std::vector<std::uint8_t> written = qarto::encodeIndexedBmp(image, 256);
  FUZZ_CHECK(written.size() == 1078 + image.pixels.size());
  qarto::IndexedImage again;
  FUZZ_CHECK(qarto::decodeBmpImage(written.data(), written.size(), "again.bmp", again, message));
  FUZZ_CHECK(again.imageWidth == image.imageWidth && again.imageHeight == image.imageHeight);
  FUZZ_CHECK(again.pixels == image.pixels);
  FUZZ_CHECK(again.palette == image.palette);
  return 0;
}
