#include "io/collision_set_file.h"

#include <algorithm>
#include <cctype>

#include "io/files/file_bytes.h"
#include "model/allocation.h"
#include "model/byte_order.h"

namespace qarto {

namespace {
constexpr std::size_t kHeaderSize = 8;
}

bool decodeCollisionSet(const std::uint8_t* bytes, std::size_t size, CollisionSetFile& out) {
  if (bytes == nullptr || size < kHeaderSize) return false;
  const std::uint32_t width = loadU32(bytes);
  const std::uint32_t height = loadU32(bytes + 4);
  // A table shorter than width x height is refused, so no entry is undefined.
  const std::uint64_t count = std::uint64_t{width} * std::uint64_t{height};
  if (count > size - kHeaderSize) return false;

  CollisionSetFile decoded;
  if (!allocateZeroed(decoded.tiles, static_cast<std::size_t>(count))) return false;
  std::copy_n(bytes + kHeaderSize, decoded.tiles.size(), decoded.tiles.begin());
  decoded.width = width;
  decoded.height = height;
  out = std::move(decoded);
  return true;
}

bool readCollisionSet(const std::string& path, CollisionSetFile& out) {
  std::vector<std::uint8_t> bytes;
  if (readFileBytes(path, bytes) != ReadStatus::Ok) return false;
  return decodeCollisionSet(bytes.data(), bytes.size(), out);
}

std::vector<std::uint8_t> encodeCollisionSet(const CollisionSetFile& set) {
  // Always width x height entries; missing ones are written as tile 0.
  const std::uint64_t count = std::uint64_t{set.width} * std::uint64_t{set.height};
  std::vector<std::uint8_t> bytes;
  if (count > allocationLimit() || !allocateZeroed(bytes, kHeaderSize + static_cast<std::size_t>(count))) return {};
  storeU32(bytes.data(), set.width);
  storeU32(bytes.data() + 4, set.height);
  const std::size_t copied = std::min(set.tiles.size(), static_cast<std::size_t>(count));
  std::copy_n(set.tiles.begin(), copied, bytes.begin() + kHeaderSize);
  return bytes;
}

namespace {

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

// The .cll goes beside the page under the page's name in lower case. Only
// the file name is lowered: the folders are kept as they are, since on a
// case-sensitive file system a lowered folder is another folder.
std::string collisionSetPathFor(const std::string& imagePath) {
  const std::string::size_type slash = imagePath.find_last_of("/\\");
  const std::string::size_type nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = imagePath.substr(nameStart);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (endsWith(name, ".bmp") || endsWith(name, ".pcx") || endsWith(name, ".png")) {
    name.replace(name.size() - 4, 4, ".cll");
  } else {
    name += ".cll";
  }
  return imagePath.substr(0, nameStart) + name;
}

}  // namespace qarto
