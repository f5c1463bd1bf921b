#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// The bytes with every PNG chunk's CRC made right, so that mutations reach
// the chunk parsing instead of stopping at the checksum.
inline std::vector<std::uint8_t> withRightChecksums(const std::uint8_t* data, std::size_t size) {
  auto loadBigEndian = [](const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
  };
  std::vector<std::uint8_t> bytes(data, data + size);
  for (std::size_t at = 8; at + 12 <= bytes.size();) {
    const std::uint64_t length = loadBigEndian(bytes.data() + at);
    if (length > bytes.size() - at - 12) break;
    const auto crc = static_cast<std::uint32_t>(crc32(0, bytes.data() + at + 4, static_cast<uInt>(length + 4)));
    std::uint8_t* stored = bytes.data() + at + 8 + length;
    for (int i = 0; i < 4; ++i) stored[i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
  return bytes;
}
