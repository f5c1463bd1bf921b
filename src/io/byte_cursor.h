#pragma once

#include <cstddef>
#include <cstdint>

#include "model/byte_order.h"

namespace qarto {

// Reads a byte buffer front to back. Every read first checks that enough
// bytes are left, so a short or hostile file can never be read past its end;
// a failed read leaves the position where it was.
class ByteCursor {
 public:
  ByteCursor(const std::uint8_t* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

  std::size_t offset() const { return pos_; }
  std::size_t remaining() const { return size_ - pos_; }
  bool has(std::uint64_t count) const { return count <= remaining(); }

  // The next `count` bytes; false when fewer are left.
  bool take(std::size_t count, const std::uint8_t*& bytes) {
    if (!has(count)) return false;
    bytes = data_ + pos_;
    pos_ += count;
    return true;
  }
  bool skip(std::size_t count) {
    const std::uint8_t* ignored = nullptr;
    return take(count, ignored);
  }
  bool readU8(std::uint8_t& value) {
    const std::uint8_t* p = nullptr;
    if (!take(1, p)) return false;
    value = p[0];
    return true;
  }
  bool readBool(bool& value) {
    std::uint8_t byte = 0;
    if (!readU8(byte)) return false;
    value = byte != 0;
    return true;
  }
  bool readI32(std::int32_t& value) {
    const std::uint8_t* p = nullptr;
    if (!take(4, p)) return false;
    value = loadI32(p);
    return true;
  }
  bool readF32(float& value) {
    const std::uint8_t* p = nullptr;
    if (!take(4, p)) return false;
    value = loadF32(p);
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace qarto
