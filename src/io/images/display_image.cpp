#include "io/images/display_image.h"

#include "model/allocation.h"

namespace qarto {

DisplayImage makeDisplayImage(const IndexedImage& image) {
  DisplayImage display;
  if (image.imageWidth <= 0 || image.imageHeight <= 0) return display;
  const std::size_t count = static_cast<std::size_t>(image.imageWidth) * static_cast<std::size_t>(image.imageHeight);
  if (image.pixels.size() < count || count > allocationLimit() / 4) return display;
  if (!allocateZeroed(display.rgba, count * 4)) return display;

  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t index = image.pixels[i];
    std::uint8_t* out = display.rgba.data() + i * 4;
    out[0] = image.palette[index * 3u + 0];
    out[1] = image.palette[index * 3u + 1];
    out[2] = image.palette[index * 3u + 2];
    // Colour 0 of every 16-colour row is transparent.
    out[3] = (index & 0x0F) == 0 ? 0 : 255;
  }
  display.width = image.imageWidth;
  display.height = image.imageHeight;
  return display;
}

}  // namespace qarto
