#pragma once

#include <cstdint>
#include <string>

namespace qarto {

// What a file on disk looked like: enough to tell that another program
// changed it. The checksum catches a rewrite that kept size and time (a
// coarse clock, a tool that restores times).
struct DiskStamp {
  bool exists = false;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;  // since the epoch
  std::uint64_t checksum = 0;   // FNV-1a over the bytes

  friend bool operator==(const DiskStamp&, const DiskStamp&) = default;
};

// Reads the file whole for the checksum; a missing or unreadable file gives
// a stamp that does not exist.
DiskStamp readDiskStamp(const std::string& path);

// 64-bit FNV-1a, continued from `hash`.
std::uint64_t fnv1a(const void* data, std::size_t size, std::uint64_t hash = 0xcbf29ce484222325ull);

}  // namespace qarto
