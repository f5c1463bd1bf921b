#include "io/images/bmp_codec.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "io/files/atomic_file.h"
#include "io/images/image_messages.h"
#include "model/allocation.h"
#include "model/byte_order.h"

namespace qarto {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;  // 54
constexpr std::uint16_t kBitmapType = 0x4D42;                           // "BM"
constexpr std::uint32_t kPixelsPerMetre = 10;

// The fields of the two headers that the reader consults.
struct BmpHeader {
  std::uint32_t storedSize = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
};

BmpHeader parseHeader(const std::uint8_t* bytes) {
  BmpHeader header;
  header.storedSize = loadU32(bytes + 2);
  header.pixelOffset = loadU32(bytes + 10);
  header.infoSize = loadU32(bytes + 14);
  header.width = loadI32(bytes + 18);
  header.height = loadI32(bytes + 22);
  header.bitsPerPixel = loadU16(bytes + 28);
  header.compression = loadU32(bytes + 30);
  header.coloursUsed = loadU32(bytes + 46);
  return header;
}

std::size_t paddedRowBytes(std::int32_t width) { return (static_cast<std::size_t>(width) + 3) & ~std::size_t{3}; }

}  // namespace

bool decodeBmpImage(const std::uint8_t* bytes, std::size_t size, const std::string& path, IndexedImage& image,
                    std::string& message) {
  if (bytes == nullptr || size < kHeadersSize || loadU16(bytes) != kBitmapType) {
    message = notValidBitmapMessage(path);
    return false;
  }
  const BmpHeader header = parseHeader(bytes);
  if (header.storedSize != size) {
    message = notValidBitmapMessage(path);
    return false;
  }
  if (header.compression != 0) {
    message = kOnlyUncompressedMessage;
    return false;
  }
  if (header.bitsPerPixel < 4 || header.bitsPerPixel > 8) {
    message = bitDepthMessage(path, header.bitsPerPixel);
    return false;
  }
  // A negative height marks a top-down file; zero or negative widths and the
  // height that has no positive counterpart are not bitmaps at all.
  if (header.infoSize < kInfoHeaderSize || header.width <= 0 || header.height == 0 ||
      header.height == std::numeric_limits<std::int32_t>::min()) {
    message = notValidBitmapMessage(path);
    return false;
  }
  const bool topDown = header.height < 0;
  const std::int32_t width = header.width;
  const std::int32_t height = topDown ? -header.height : header.height;
  if (width % 8 != 0 || height % 8 != 0) {
    message = tileMultipleMessage(path, width, height);
    return false;
  }

  // Everything read must lie inside the file, checked before any allocation
  // so that a small file cannot ask for a huge buffer.
  const bool fourBit = header.bitsPerPixel == 4;
  const std::uint64_t tableOffset = kFileHeaderSize + std::uint64_t{header.infoSize};
  const std::uint32_t tableCapacity = fourBit ? 16 : 256;
  const std::uint32_t tableEntries =
      (header.coloursUsed == 0 || header.coloursUsed > tableCapacity) ? tableCapacity : header.coloursUsed;
  const std::uint64_t rowBytes = fourBit ? std::uint64_t(width) / 2 : std::uint64_t(width);
  const std::uint64_t pixelBytes = rowBytes * std::uint64_t(height);
  if (tableOffset + 4u * tableEntries > size || std::uint64_t{header.pixelOffset} + pixelBytes > size) {
    message = notValidBitmapMessage(path);
    return false;
  }

  IndexedImage decoded;
  if (!allocateZeroed(decoded.pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height))) {
    message = pixelBufferFailedMessage(path);
    return false;
  }
  decoded.imageWidth = width;
  decoded.imageHeight = height;

  const std::uint8_t* table = bytes + tableOffset;
  for (std::uint32_t entry = 0; entry < tableEntries; ++entry) {
    decoded.palette[entry * 3 + 0] = table[entry * 4 + 2];
    decoded.palette[entry * 3 + 1] = table[entry * 4 + 1];
    decoded.palette[entry * 3 + 2] = table[entry * 4 + 0];
  }

  const std::uint8_t* stored = bytes + header.pixelOffset;
  const auto columns = static_cast<std::size_t>(width);
  for (std::int32_t row = 0; row < height; ++row, stored += rowBytes) {
    // Ordinary files keep the bottom row first.
    const std::int32_t target = topDown ? row : height - 1 - row;
    std::uint8_t* out = decoded.pixels.data() + static_cast<std::size_t>(target) * columns;
    if (fourBit) {
      for (std::size_t x = 0; x < columns; x += 2) {
        out[x] = static_cast<std::uint8_t>(stored[x / 2] >> 4);
        out[x + 1] = static_cast<std::uint8_t>(stored[x / 2] & 0x0F);
      }
    } else {
      std::copy(stored, stored + columns, out);
    }
  }

  image = std::move(decoded);
  message = kNoErrors;
  return true;
}

bool readBmp(const std::string& path, IndexedImage& image, std::string& message) {
  std::vector<std::uint8_t> bytes;
  if (!readImageFile(path, bytes, message)) return false;
  return decodeBmpImage(bytes.data(), bytes.size(), path, image, message);
}

std::vector<std::uint8_t> encodeIndexedBmp(const IndexedImage& image, int paletteEntries) {
  if (image.imageWidth < 0 || image.imageHeight < 0) return {};
  const auto width = static_cast<std::size_t>(image.imageWidth);
  const auto height = static_cast<std::size_t>(image.imageHeight);
  if (height != 0 && width > image.pixels.size() / height) return {};
  if (image.pixels.size() < width * height) return {};

  // The pixel offset follows the entries actually written, so a shorter
  // colour table still gives a file whose rows are where the header says.
  const auto entries = static_cast<std::uint32_t>(std::clamp(paletteEntries, 0, 256));
  const std::size_t rowBytes = paddedRowBytes(image.imageWidth);
  const std::size_t pixelOffset = kHeadersSize + 4u * entries;
  if (height != 0 && rowBytes > (std::numeric_limits<std::uint32_t>::max() - pixelOffset) / height) return {};
  const std::size_t fileSize = pixelOffset + rowBytes * height;

  std::vector<std::uint8_t> out;
  if (!allocateZeroed(out, fileSize)) return {};
  std::uint8_t* p = out.data();
  storeU16(p + 0, kBitmapType);
  storeU32(p + 2, static_cast<std::uint32_t>(fileSize));
  storeU32(p + 10, static_cast<std::uint32_t>(pixelOffset));
  storeU32(p + 14, kInfoHeaderSize);
  storeI32(p + 18, image.imageWidth);
  storeI32(p + 22, image.imageHeight);
  storeU16(p + 26, 1);
  storeU16(p + 28, 8);
  storeU32(p + 38, kPixelsPerMetre);
  storeU32(p + 42, kPixelsPerMetre);
  storeU32(p + 46, entries);
  storeU32(p + 50, entries);
  for (std::uint32_t entry = 0; entry < entries; ++entry) {
    std::uint8_t* slot = p + kHeadersSize + entry * 4;
    slot[0] = image.palette[entry * 3 + 2];
    slot[1] = image.palette[entry * 3 + 1];
    slot[2] = image.palette[entry * 3 + 0];
  }
  for (std::size_t row = 0; row < height; ++row) {
    const std::uint8_t* source = image.pixels.data() + (height - 1 - row) * width;
    std::copy(source, source + width, p + pixelOffset + row * rowBytes);
  }
  return out;
}

bool writeIndexedBmp(const std::string& path, const IndexedImage& image, int paletteEntries, std::string& message) {
  const std::vector<std::uint8_t> bytes = encodeIndexedBmp(image, paletteEntries);
  if (bytes.empty() || !writeFileAtomically(path, bytes.data(), bytes.size())) {
    message = openForWritingFailedMessage(path);
    return false;
  }
  message = kNoErrors;
  return true;
}

}  // namespace qarto
