#include "io/images/png_writer.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "io/files/atomic_file.h"

namespace qarto {

bool writeRgbPng(const std::string& path, int width, int height, std::span<const std::uint8_t> rgb,
                 std::string& message) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  // Asked for the size first, then written into a buffer of that size.
  png_alloc_size_t size = 0;
  if (png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr) == 0) {
    message = "cannot write " + path + ": " + image.message;
    return false;
  }
  std::vector<std::uint8_t> bytes(size);
  if (png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr) == 0) {
    message = "cannot write " + path + ": " + image.message;
    return false;
  }
  if (!writeFileAtomically(path, bytes.data(), size)) {
    message = "cannot write " + path + ": the file could not be replaced";
    return false;
  }
  return true;
}

}  // namespace qarto
