#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/files/file_bytes.h"
#include "io/map_file/map_byte_source.h"

namespace qarto {

// A file read front to back as the decoder asks for it. Small records pass
// through one reusable buffer; large blocks are read straight into the
// caller's memory. The size is taken when the file is opened: if the file
// shrinks meanwhile, the data ends where the file now ends.
class FileByteSource : public MapByteSource {
 public:
  FileByteSource() = default;
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  // Same answers as readFileBytes: NotFound for a missing or unreadable
  // file, Empty for an empty one, TooLarge beyond maxBytes or what could be
  // allocated.
  ReadStatus open(const std::string& path, std::size_t maxBytes = std::size_t{1} << 30);

  std::size_t offset() const override { return offset_; }
  std::uint64_t remaining() const override { return size_ - offset_; }
  bool take(std::size_t count, const std::uint8_t*& bytes) override;
  bool peek(std::size_t count, const std::uint8_t*& bytes) override;
  bool copyTo(void* out, std::size_t count) override;
  bool takeRest(ByteCursor& rest) override;

 private:
  bool reserve(std::size_t count);
  // Reads up to `count` bytes; fewer only where the file ends early.
  std::size_t readSome(void* out, std::size_t count);
  void close();

  int fd_ = -1;
  std::size_t size_ = 0;
  std::size_t offset_ = 0;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace qarto
