#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "io/byte_cursor.h"

namespace qarto {

// Where the map decoder takes its bytes from, front to back: a buffer in
// memory or a file read as it goes (FileByteSource), so that a large map's
// cells go straight from the file into the layers without the whole file
// in memory. Every read first checks the bytes left; a failed read means
// the data ends there.
class MapByteSource {
 public:
  virtual ~MapByteSource() = default;

  virtual std::size_t offset() const = 0;
  virtual std::uint64_t remaining() const = 0;
  bool has(std::uint64_t count) const { return count <= remaining(); }

  // The next `count` bytes of a small record, valid until the next read.
  virtual bool take(std::size_t count, const std::uint8_t*& bytes) = 0;
  // The same without moving on (a magic line that may turn out to be none).
  virtual bool peek(std::size_t count, const std::uint8_t*& bytes) = 0;
  // The next `count` bytes copied to `out` (large blocks).
  virtual bool copyTo(void* out, std::size_t count) = 0;
  // Everything that is left, as one buffer; false when it cannot be held.
  virtual bool takeRest(ByteCursor& rest) = 0;
};

// The whole file already in memory.
class MemoryByteSource : public MapByteSource {
 public:
  MemoryByteSource(const std::uint8_t* bytes, std::size_t size) : cursor_(bytes, size) {}

  std::size_t offset() const override { return cursor_.offset(); }
  std::uint64_t remaining() const override { return cursor_.remaining(); }
  bool take(std::size_t count, const std::uint8_t*& bytes) override { return cursor_.take(count, bytes); }
  bool peek(std::size_t count, const std::uint8_t*& bytes) override {
    ByteCursor ahead = cursor_;
    return ahead.take(count, bytes);
  }
  bool copyTo(void* out, std::size_t count) override {
    const std::uint8_t* bytes = nullptr;
    if (!cursor_.take(count, bytes)) return false;
    if (count > 0) std::memcpy(out, bytes, count);
    return true;
  }
  bool takeRest(ByteCursor& rest) override {
    const std::size_t count = cursor_.remaining();
    const std::uint8_t* bytes = nullptr;
    cursor_.take(count, bytes);
    rest = ByteCursor(bytes, count);
    return true;
  }

 private:
  ByteCursor cursor_;
};

}  // namespace qarto
