#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qarto {

// A .cll file: u32 width, u32 height (in tiles), then one collision tile
// number per tile, row by row.
struct CollisionSetFile {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> tiles;
};

// False when the file is missing, too short for its header or holds fewer
// than width * height entries.
bool decodeCollisionSet(const std::uint8_t* bytes, std::size_t size, CollisionSetFile& out);
bool readCollisionSet(const std::string& path, CollisionSetFile& out);
std::vector<std::uint8_t> encodeCollisionSet(const CollisionSetFile& set);

// Where Export .CLL writes for a page read from `imagePath`: the file name in
// lower case with ".bmp", ".pcx" or ".png" replaced by ".cll" (else ".cll" appended).
std::string collisionSetPathFor(const std::string& imagePath);

}  // namespace qarto
