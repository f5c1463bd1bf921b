#include "export/text/text_buffer.h"

#include <algorithm>
#include <bit>

#include "io/files/prefault.h"

namespace qarto {

namespace {

constexpr std::size_t kPrefaultBytes = std::size_t{1} << 20;

// "000102...99": the two digits of every value below 100.
constexpr std::array<char, 200> kDecimalPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

}  // namespace

std::size_t TextBuffer::writeLongHex(char* at, std::uint32_t value) {
  const int digits = std::max(4, (static_cast<int>(std::bit_width(value)) + 3) / 4);
  at[0] = '0';
  at[1] = 'x';
  constexpr char kDigits[] = "0123456789abcdef";
  for (int i = digits - 1; i >= 0; --i) {
    at[2 + i] = kDigits[value & 15u];
    value >>= 4;
  }
  return static_cast<std::size_t>(2 + digits);
}

void TextBuffer::appendDecimal(std::int64_t value) {
  reserve(kMaxDecimalLength);
  char* at = data_.get() + size_;
  // The magnitude as unsigned, so the most negative value has one too.
  std::uint64_t magnitude = static_cast<std::uint64_t>(value);
  if (value < 0) {
    *at++ = '-';
    magnitude = 0 - magnitude;
  }
  char digits[kMaxDecimalLength];
  char* end = digits + sizeof digits;
  char* first = end;
  while (magnitude >= 100) {
    first -= 2;
    std::memcpy(first, kDecimalPairs.data() + 2 * (magnitude % 100), 2);
    magnitude /= 100;
  }
  if (magnitude >= 10) {
    first -= 2;
    std::memcpy(first, kDecimalPairs.data() + 2 * magnitude, 2);
  } else {
    *--first = static_cast<char>('0' + magnitude);
  }
  const auto length = static_cast<std::size_t>(end - first);
  std::memcpy(at, first, length);
  size_ = static_cast<std::size_t>(at + length - data_.get());
}

void TextBuffer::grow(std::size_t count) {
  // Doubling keeps appends amortised constant; the first block fits a small file.
  const std::size_t capacity = std::max({size_ + count, capacity_ * 2, std::size_t{4096}});
  std::unique_ptr<char[]> data(new char[capacity]);
  // A map file's text runs to megabytes; mapping its pages in one call is
  // much cheaper than faulting them in one by one while writing.
  if (capacity >= kPrefaultBytes) prefaultPages(data.get(), capacity);
  if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
  data_ = std::move(data);
  capacity_ = capacity;
}

}  // namespace qarto
