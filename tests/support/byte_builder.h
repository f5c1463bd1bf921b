#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "model/byte_order.h"

namespace qarto::test {

// Little-endian bytes built field by field, as the file layouts describe them.
class ByteBuilder {
 public:
  ByteBuilder& u8(int v) { data.push_back(static_cast<std::uint8_t>(v)); return *this; }
  ByteBuilder& u16(int v) { std::uint8_t b[2]; storeU16(b, static_cast<std::uint16_t>(v)); return raw(b, 2); }
  ByteBuilder& i32(std::int64_t v) { std::uint8_t b[4]; storeU32(b, static_cast<std::uint32_t>(v)); return raw(b, 4); }
  ByteBuilder& f32(float v) { std::uint8_t b[4]; storeF32(b, v); return raw(b, 4); }
  ByteBuilder& text(const std::string& s) { return raw(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }
  // `s` in a field of `size` bytes, zero-padded.
  ByteBuilder& field(const std::string& s, std::size_t size) {
    text(s.substr(0, size));
    return zeros(size - std::min(size, s.size()));
  }
  ByteBuilder& zeros(std::size_t n) { data.insert(data.end(), n, 0); return *this; }
  ByteBuilder& raw(const std::uint8_t* p, std::size_t n) { data.insert(data.end(), p, p + n); return *this; }
  ByteBuilder& append(const std::vector<std::uint8_t>& more) { data.insert(data.end(), more.begin(), more.end()); return *this; }
  std::size_t size() const { return data.size(); }
  std::vector<std::uint8_t> data;
};

}  // namespace qarto::test
