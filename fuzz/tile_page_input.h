#pragma once

// The input layout of tile_page_fuzzer: byte 0 chooses the image kind (bit 0:
// PCX instead of BMP, bit 2: PNG instead of either) and whether a .cll lies
// beside it (bit 1); bytes 1-2
// (little-endian) give the image length; the image follows, then the .cll.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qarto::seeds {

struct TilePageInput {
  bool pcx = false;
  bool withCll = false;
  std::vector<std::uint8_t> image;
  std::vector<std::uint8_t> cll;
  bool png = false;
};

inline TilePageInput splitTilePageInput(const std::uint8_t* data, std::size_t size) {
  TilePageInput input;
  if (size < 3) return input;
  input.pcx = (data[0] & 1) != 0;
  input.withCll = (data[0] & 2) != 0;
  input.png = (data[0] & 4) != 0;
  const std::size_t imageLength = std::min<std::size_t>(data[1] | (data[2] << 8), size - 3);
  input.image.assign(data + 3, data + 3 + imageLength);
  input.cll.assign(data + 3 + imageLength, data + size);
  return input;
}

inline std::vector<std::uint8_t> joinTilePageInput(const TilePageInput& input) {
  std::vector<std::uint8_t> bytes{
      static_cast<std::uint8_t>((input.pcx ? 1 : 0) | (input.withCll ? 2 : 0) | (input.png ? 4 : 0)),
      static_cast<std::uint8_t>(input.image.size()), static_cast<std::uint8_t>(input.image.size() >> 8)};
  bytes.insert(bytes.end(), input.image.begin(), input.image.end());
  bytes.insert(bytes.end(), input.cll.begin(), input.cll.end());
  return bytes;
}

}  // namespace qarto::seeds
