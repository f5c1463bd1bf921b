#include "io/picture/bmp_picture_decoder.h"

#include <array>
#include <bit>
#include <limits>

#include "io/images/bmp_codec.h"
#include "io/images/image_messages.h"
#include "model/allocation.h"
#include "model/byte_order.h"

namespace qarto {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kPlainRgb = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;

// One channel of a 16- or 32-bit pixel: where it lies and how wide it is.
struct ChannelMask {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  ChannelMask() = default;
  explicit ChannelMask(std::uint32_t value) : mask(value) {
    if (value == 0) return;
    shift = std::countr_zero(value);
    bits = std::popcount(value);
  }
  // The channel scaled to 8 bits by repeating its high bits.
  std::uint8_t scaled(std::uint32_t pixel, std::uint8_t absent) const {
    if (mask == 0) return absent;
    std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
    std::uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits) out = (out << bits) | value;
    return static_cast<std::uint8_t>(out >> (((8 + bits - 1) / bits) * bits - 8));
  }
};

struct BmpLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool topDown = false;
  int bits = 0;
  std::uint32_t compression = 0;
  std::uint64_t tableOffset = 0;
  std::uint32_t tableEntries = 0;
  std::uint64_t pixelOffset = 0;
  std::uint64_t stride = 0;
  std::array<ChannelMask, 4> masks;  // red, green, blue, alpha
};

bool validBits(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

void readMasks(const std::uint8_t* bytes, std::size_t size, std::uint32_t infoSize, BmpLayout& layout) {
  if (layout.compression == kPlainRgb) {
    if (layout.bits == 16)
      layout.masks = {ChannelMask(0x7C00), ChannelMask(0x03E0), ChannelMask(0x001F), ChannelMask()};
    if (layout.bits == 32) {
      layout.masks = {ChannelMask(0xFF0000), ChannelMask(0xFF00), ChannelMask(0xFF), ChannelMask(0xFF000000)};
    }
    return;
  }
  const std::size_t at = kFileHeaderSize + 40;
  const bool alpha = layout.compression == kAlphaBitFields || infoSize >= 56;
  if (at + (alpha ? 16 : 12) > size) return;
  layout.masks = {ChannelMask(loadU32(bytes + at)), ChannelMask(loadU32(bytes + at + 4)),
                  ChannelMask(loadU32(bytes + at + 8)), ChannelMask(alpha ? loadU32(bytes + at + 12) : 0)};
  if (infoSize == 40) layout.tableOffset += alpha ? 16 : 12;
}

// The header's fields, checked so that everything read lies inside the file.
bool readLayout(const std::uint8_t* bytes, std::size_t size, const std::string& path, BmpLayout& layout,
                std::string& message) {
  message = notValidBitmapMessage(path);
  if (bytes == nullptr || size < kFileHeaderSize + 40 || loadU16(bytes) != 0x4D42) return false;
  const std::uint32_t infoSize = loadU32(bytes + 14);
  const std::int32_t height = loadI32(bytes + 22);
  layout.width = loadI32(bytes + 18);
  layout.bits = loadU16(bytes + 28);
  layout.compression = loadU32(bytes + 30);
  if (infoSize < 40 || layout.width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min()) {
    return false;
  }
  const bool masked = layout.compression == kBitFields || layout.compression == kAlphaBitFields;
  if (layout.compression != kPlainRgb && !(masked && (layout.bits == 16 || layout.bits == 32))) {
    message = kOnlyUncompressedMessage;
    return false;
  }
  if (!validBits(layout.bits)) {
    message = "File <" + path + "> is in " + std::to_string(layout.bits) +
              "-bit format.\n\nOnly 1-, 4-, 8-, 16-, 24- and 32-bit .bmp files are supported.";
    return false;
  }
  layout.topDown = height < 0;
  layout.height = layout.topDown ? -height : height;
  layout.tableOffset = kFileHeaderSize + std::uint64_t{infoSize};
  readMasks(bytes, size, infoSize, layout);
  if (layout.bits <= 8) {
    const std::uint32_t capacity = 1u << layout.bits;
    const std::uint32_t used = loadU32(bytes + 46);
    layout.tableEntries = (used == 0 || used > capacity) ? capacity : used;
  }
  layout.pixelOffset = loadU32(bytes + 10);
  layout.stride = (std::uint64_t(layout.width) * layout.bits + 31) / 32 * 4;
  const std::uint64_t pixelBytes = layout.stride * std::uint64_t(layout.height);
  return layout.tableOffset + 4u * layout.tableEntries <= size && layout.pixelOffset + pixelBytes <= size &&
         pixelBytes / layout.stride == std::uint64_t(layout.height);
}

std::uint32_t pixelValue(const std::uint8_t* row, std::int32_t x, int bits) {
  switch (bits) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1u;
    case 4:
      return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0Fu;
    case 8:
      return row[x];
    case 16:
      return loadU16(row + 2 * x);
    case 24:
      return std::uint32_t{row[3 * x]} | std::uint32_t{row[3 * x + 1]} << 8 | std::uint32_t{row[3 * x + 2]} << 16;
    default:
      return loadU32(row + 4 * x);
  }
}

}  // namespace

bool decodeBmpPicture(const std::uint8_t* bytes, std::size_t size, const std::string& path, DisplayImage& picture,
                      std::string& message) {
  BmpLayout layout;
  if (!readLayout(bytes, size, path, layout, message)) return false;
  const auto width = static_cast<std::size_t>(layout.width);
  const auto height = static_cast<std::size_t>(layout.height);
  DisplayImage decoded;
  if (width > allocationLimit() / 4 / height || !allocateZeroed(decoded.rgba, width * height * 4)) {
    message = pixelBufferFailedMessage(path);
    return false;
  }
  const std::uint8_t* table = bytes + layout.tableOffset;
  bool anyAlpha = false;
  for (std::size_t row = 0; row < height; ++row) {
    const std::uint8_t* stored = bytes + layout.pixelOffset + row * layout.stride;
    const std::size_t target = layout.topDown ? row : height - 1 - row;
    std::uint8_t* out = decoded.rgba.data() + target * width * 4;
    for (std::size_t x = 0; x < width; ++x, out += 4) {
      const std::uint32_t value = pixelValue(stored, static_cast<std::int32_t>(x), layout.bits);
      if (layout.bits <= 8) {
        // Indices beyond the table are black, as in a zero-filled palette.
        const bool inTable = value < layout.tableEntries;
        out[0] = inTable ? table[value * 4 + 2] : 0;
        out[1] = inTable ? table[value * 4 + 1] : 0;
        out[2] = inTable ? table[value * 4 + 0] : 0;
        out[3] = 0xFF;
      } else if (layout.bits == 24) {
        out[0] = static_cast<std::uint8_t>(value >> 16);
        out[1] = static_cast<std::uint8_t>(value >> 8);
        out[2] = static_cast<std::uint8_t>(value);
        out[3] = 0xFF;
      } else {
        for (int c = 0; c < 4; ++c) out[c] = layout.masks[c].scaled(value, 0xFF);
        anyAlpha = anyAlpha || (layout.masks[3].mask != 0 && out[3] != 0);
      }
    }
  }
  // A file that keeps its fourth bytes 0 means no alpha at all.
  if (layout.bits > 8 && layout.bits != 24 && !anyAlpha) {
    for (std::size_t i = 3; i < decoded.rgba.size(); i += 4) decoded.rgba[i] = 0xFF;
  }
  decoded.width = layout.width;
  decoded.height = layout.height;
  picture = std::move(decoded);
  message = kNoErrors;
  return true;
}

}  // namespace qarto
