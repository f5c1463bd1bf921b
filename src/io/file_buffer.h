#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "io/file_bytes.h"

namespace qarto {

// A whole file read into memory for decoding. The pages are mapped in one
// go before reading: touching tens of megabytes page by page (as a fresh
// std::vector does) costs several times the read itself on virtual machines.
class FileBuffer {
 public:
  FileBuffer() = default;
  ~FileBuffer();
  FileBuffer(const FileBuffer&) = delete;
  FileBuffer& operator=(const FileBuffer&) = delete;

  // Same answers as readFileBytes: NotFound for a missing or unreadable
  // file, Empty for an empty one, TooLarge beyond maxBytes or without memory.
  ReadStatus load(const std::string& path, std::size_t maxBytes = std::size_t{1} << 30);

  const std::uint8_t* data() const { return static_cast<const std::uint8_t*>(memory_); }
  std::size_t size() const { return size_; }

 private:
  void release();

  void* memory_ = nullptr;
  std::size_t mapped_ = 0;
  std::size_t size_ = 0;
};

}  // namespace qarto
