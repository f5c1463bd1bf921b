#include "offscreen/png_file.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "io/images/png_writer.h"

namespace qarto {

bool writePng(const std::string& path, const Frame& frame, std::string& message) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(frame.width) * frame.height * 3);
  for (std::size_t i = 0, n = static_cast<std::size_t>(frame.width) * frame.height; i < n; ++i) {
    std::memcpy(&rgb[i * 3], &frame.rgba[i * 4], 3);
  }
  return writeRgbPng(path, frame.width, frame.height, rgb, message);
}

bool readPng(const std::string& path, Frame& frame, std::string& message) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    message = "cannot read " + path + ": " + image.message;
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  frame.width = static_cast<int>(image.width);
  frame.height = static_cast<int>(image.height);
  frame.rgba.assign(PNG_IMAGE_SIZE(image), 0);
  if (png_image_finish_read(&image, nullptr, frame.rgba.data(), 0, nullptr) == 0) {
    message = "cannot read " + path + ": " + image.message;
    return false;
  }
  return true;
}

}  // namespace qarto
