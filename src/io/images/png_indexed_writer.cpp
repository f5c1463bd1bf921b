#include "io/images/png_indexed_writer.h"

#include <png.h>

#include <array>
#include <cstring>
#include <vector>

#include "io/files/atomic_file.h"

namespace qarto {

bool writeIndexedPng(const std::string& path, const IndexedImage& image, std::string& message) {
  std::array<std::uint8_t, 256 * 4> colormap{};
  for (std::size_t i = 0; i < 256; ++i) {
    std::memcpy(&colormap[i * 4], &image.palette[i * 3], 3);
    colormap[i * 4 + 3] = i % 16 == 0 ? 0 : 255;
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.imageWidth);
  png.height = static_cast<png_uint_32>(image.imageHeight);
  png.format = PNG_FORMAT_RGBA_COLORMAP;
  png.colormap_entries = 256;
  png_alloc_size_t size = 0;
  const auto fail = [&](const std::string& reason) {
    message = "cannot write " + path + ": " + reason;
    return false;
  };
  if (png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, colormap.data()) == 0) {
    return fail(png.message);
  }
  std::vector<std::uint8_t> bytes(size);
  if (png_image_write_to_memory(&png, bytes.data(), &size, 0, image.pixels.data(), 0, colormap.data()) == 0) {
    return fail(png.message);
  }
  if (!writeFileAtomically(path, bytes.data(), size)) return fail("the file could not be replaced");
  return true;
}

}  // namespace qarto
