#include "io/picture/picture_reader.h"

#include <vector>

#include "io/images/image_messages.h"
#include "io/images/pcx_reader.h"
#include "io/images/png_reader.h"
#include "io/picture/bmp_picture_decoder.h"
#include "model/allocation.h"

namespace qarto {

namespace {

constexpr std::uint8_t kPngFirstByte = 0x89;
constexpr std::uint8_t kPcxManufacturer = 10;

}  // namespace

DisplayImage indexedToRgba(const IndexedImage& image) {
  DisplayImage out;
  if (!allocateZeroed(out.rgba, image.pixels.size() * 4)) return out;
  out.width = image.imageWidth;
  out.height = image.imageHeight;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const std::size_t entry = image.pixels[i] * std::size_t{3};
    out.rgba[i * 4 + 0] = image.palette[entry];
    out.rgba[i * 4 + 1] = image.palette[entry + 1];
    out.rgba[i * 4 + 2] = image.palette[entry + 2];
    out.rgba[i * 4 + 3] = 0xFF;
  }
  return out;
}

bool decodePicture(const std::uint8_t* bytes, std::size_t size, const std::string& path, DisplayImage& picture,
                   std::string& message) {
  if (bytes != nullptr && size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    return decodeBmpPicture(bytes, size, path, picture, message);
  }
  if (bytes != nullptr && size >= 8 && bytes[0] == kPngFirstByte) {
    return decodePngPicture(bytes, size, path, picture, message);
  }
  if (bytes != nullptr && size >= 1 && bytes[0] == kPcxManufacturer) {
    IndexedImage indexed;
    if (!decodePcxImage(bytes, size, path, indexed, message)) return false;
    DisplayImage converted = indexedToRgba(indexed);
    if (converted.rgba.size() != indexed.pixels.size() * 4) {
      message = pixelBufferFailedMessage(path);
      return false;
    }
    picture = std::move(converted);
    return true;
  }
  message = "The file <" + path + "> is not a picture Qarto can read (PNG, BMP or PCX).";
  return false;
}

bool readPicture(const std::string& path, DisplayImage& picture, std::string& message) {
  std::vector<std::uint8_t> bytes;
  if (!readImageFile(path, bytes, message)) return false;
  return decodePicture(bytes.data(), bytes.size(), path, picture, message);
}

}  // namespace qarto
