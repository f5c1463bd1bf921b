#include "io/files/disk_stamp.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace qarto {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::uint64_t fnv1a(const void* data, std::size_t size, std::uint64_t hash) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  for (std::size_t i = 0; i < size; ++i) {
    hash ^= p[i];
    hash *= 0x100000001b3ull;
  }
  return hash;
}

DiskStamp readDiskStamp(const std::string& path) {
  DiskStamp stamp;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  struct stat info {};
  if (!file || fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return stamp;
  stamp.exists = true;
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  std::uint64_t hash = fnv1a(nullptr, 0);
  std::vector<std::uint8_t> block(std::size_t{1} << 16);
  while (const std::size_t got = std::fread(block.data(), 1, block.size(), file.get())) hash = fnv1a(block.data(), got, hash);
  stamp.checksum = hash;
  return stamp;
}

}  // namespace qarto
