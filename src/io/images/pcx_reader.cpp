#include "io/images/pcx_reader.h"

#include <algorithm>
#include <cstdlib>

#include "io/images/bmp_codec.h"
#include "io/images/image_messages.h"
#include "model/allocation.h"
#include "model/byte_order.h"

namespace qarto {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint8_t kManufacturer = 10;
constexpr std::uint8_t kVersion = 5;
constexpr std::uint8_t kRunMarker = 192;

// Side length from two corner coordinates: abs(max - min) + 1.
std::int32_t sideLength(std::uint16_t low, std::uint16_t high) {
  return std::abs(static_cast<std::int32_t>(high) - static_cast<std::int32_t>(low)) + 1;
}

// The most pixels `encoded` bytes can produce: a run takes two bytes for at
// most 63 pixels, a lone byte gives one.
std::uint64_t mostPixelsFrom(std::size_t encoded) { return std::uint64_t(encoded / 2) * 63 + encoded % 2; }

// Run-length decoding into `pixels`, left to right and top to bottom; runs
// continue across row ends and pixels beyond the image are dropped. False
// when the data ends before every pixel is filled.
bool decodeRuns(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& pixels) {
  std::size_t filled = 0;
  std::size_t at = 0;
  while (filled < pixels.size()) {
    if (at >= size) return false;
    const std::uint8_t code = data[at++];
    if (code < kRunMarker) {
      pixels[filled++] = code;
      continue;
    }
    if (at >= size) return false;
    const std::uint8_t index = data[at++];
    const std::size_t count = std::min<std::size_t>(code - kRunMarker, pixels.size() - filled);
    std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(filled), count, index);
    filled += count;
  }
  return true;
}

}  // namespace

bool decodePcxImage(const std::uint8_t* bytes, std::size_t size, const std::string& path, IndexedImage& image,
                    std::string& message) {
  // Header and palette must both be there; the encoded pixels lie between.
  if (bytes == nullptr || size < kHeaderSize + kPaletteBytes || bytes[0] != kManufacturer || bytes[1] != kVersion) {
    message = notValidPcxMessage(path);
    return false;
  }
  const std::int32_t width = sideLength(loadU16(bytes + 4), loadU16(bytes + 8));
  const std::int32_t height = sideLength(loadU16(bytes + 6), loadU16(bytes + 10));
  if (width % 8 != 0 || height % 8 != 0) {
    message = tileMultipleMessage(path, width, height);
    return false;
  }

  // A file whose data cannot fill the image is truncated; refusing it here
  // also keeps a small file from asking for a huge buffer.
  const std::uint8_t* encoded = bytes + kHeaderSize;
  const std::size_t encodedSize = size - kHeaderSize - kPaletteBytes;
  const std::uint64_t pixelCount = std::uint64_t(width) * std::uint64_t(height);
  if (pixelCount > mostPixelsFrom(encodedSize)) {
    message = notValidPcxMessage(path);
    return false;
  }

  IndexedImage decoded;
  if (!allocateZeroed(decoded.pixels, static_cast<std::size_t>(pixelCount))) {
    message = pixelBufferFailedMessage(path);
    return false;
  }
  if (!decodeRuns(encoded, encodedSize, decoded.pixels)) {
    message = notValidPcxMessage(path);
    return false;
  }
  decoded.imageWidth = width;
  decoded.imageHeight = height;
  // The marker byte before the palette is not examined.
  std::copy_n(bytes + size - kPaletteBytes, kPaletteBytes, decoded.palette.begin());

  image = std::move(decoded);
  message = kNoErrors;
  return true;
}

bool readPcx(const std::string& path, IndexedImage& image, std::string& message) {
  std::vector<std::uint8_t> bytes;
  if (!readImageFile(path, bytes, message)) return false;
  return decodePcxImage(bytes.data(), bytes.size(), path, image, message);
}

}  // namespace qarto
