#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace qarto::test {

// Little-endian bytes built field by field, as the file layouts describe them.
class ByteBuilder {
 public:
  ByteBuilder& u8(int v) { return raw(std::array{static_cast<std::uint8_t>(v)}.data(), 1); }
  ByteBuilder& u16(int v) { return u8(v & 0xFF).u8(v >> 8 & 0xFF); }
  ByteBuilder& i32(std::int64_t v) { return u16(static_cast<int>(v & 0xFFFF)).u16(static_cast<int>(v >> 16 & 0xFFFF)); }
  ByteBuilder& f32(float v) { return i32(std::bit_cast<std::uint32_t>(v)); }
  ByteBuilder& text(const std::string& s) { return raw(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }
  // `s` in a field of `size` bytes, zero-padded.
  ByteBuilder& field(const std::string& s, std::size_t size) {
    text(s.substr(0, size));
    return zeros(size - std::min(size, s.size()));
  }
  ByteBuilder& zeros(std::size_t n) { return append(std::vector<std::uint8_t>(n, 0)); }
  ByteBuilder& raw(const std::uint8_t* p, std::size_t n) { return append(std::vector<std::uint8_t>(p, p + n)); }
  ByteBuilder& append(const std::vector<std::uint8_t>& more) {
    data.insert(data.end(), more.begin(), more.end());
    return *this;
  }
  std::size_t size() const { return data.size(); }
  std::vector<std::uint8_t> data;
};

}  // namespace qarto::test
