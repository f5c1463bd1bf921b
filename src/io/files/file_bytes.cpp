#include "io/files/file_bytes.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "model/allocation.h"

namespace qarto {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

ReadStatus readFileBytes(const std::string& path, std::vector<std::uint8_t>& out, std::size_t maxBytes) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) return ReadStatus::NotFound;

  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return ReadStatus::NotFound;
  if (info.st_size <= 0) return ReadStatus::Empty;
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > maxBytes) return ReadStatus::TooLarge;

  std::vector<std::uint8_t> bytes;
  if (!allocateZeroed(bytes, static_cast<std::size_t>(size))) return ReadStatus::TooLarge;
  // The file may change under us: keep what could actually be read.
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
  if (std::ferror(file.get())) return ReadStatus::NotFound;
  if (got == 0) return ReadStatus::Empty;
  bytes.resize(got);
  out.swap(bytes);
  return ReadStatus::Ok;
}

bool fileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool canOpenForReading(const std::string& path) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  return file != nullptr;
}

}  // namespace qarto
