#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace qarto {

// The text of one output file, collected in one growing buffer, with the
// export's number formats written from digit tables instead of a printf
// call per value: an exported array holds up to a million values, and the
// formatting was most of the writing time.
class TextBuffer {
 public:
  // Longest texts of appendHex ("0x" and 8 digits) and appendDecimal
  // ("-9223372036854775808").
  static constexpr std::size_t kMaxHexLength = 10;
  static constexpr std::size_t kMaxDecimalLength = 20;

  TextBuffer() = default;
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  // Makes room for `count` more characters, so appends up to that many do
  // not move the text again.
  void reserve(std::size_t count) {
    if (capacity_ - size_ < count) grow(count);
  }

  void append(std::string_view text) {
    reserve(text.size());
    if (!text.empty()) std::memcpy(data_.get() + size_, text.data(), text.size());
    size_ += text.size();
  }
  void append(char c) {
    reserve(1);
    data_[size_++] = c;
  }

  // As "0x%04x": at least four lower-case hex digits.
  void appendHex(std::uint32_t value) {
    reserve(kMaxHexLength);
    size_ = static_cast<std::size_t>(writeHex(data_.get() + size_, value) - data_.get());
  }

  // As "%lld" (and so "%i" and "%u" of any value of those types).
  void appendDecimal(std::int64_t value);

  // Appends up to a known number of characters through a pointer of its
  // own. Stores of characters may alias anything, so appends through the
  // buffer's fields reload them after every character; a block keeps its
  // position in a register, which makes a value of a large array cost a
  // handful of instructions.
  class Block {
   public:
    // Room for `maxLength` characters; the block must not write more.
    Block(TextBuffer& buffer, std::size_t maxLength) : buffer_(buffer) {
      buffer_.reserve(maxLength);
      at_ = buffer_.data_.get() + buffer_.size_;
    }
    ~Block() { buffer_.size_ = static_cast<std::size_t>(at_ - buffer_.data_.get()); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;

    void append(char c) { *at_++ = c; }
    void appendHex(std::uint32_t value) { at_ = writeHex(at_, value); }

   private:
    TextBuffer& buffer_;
    char* at_;
  };

  std::string_view view() const { return {data_.get(), size_}; }
  std::string str() const { return std::string(view()); }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void clear() { size_ = 0; }

 private:
  // "000102...ff": the two digits of every byte value.
  static constexpr std::array<char, 512> kHexPairs = [] {
    std::array<char, 512> pairs{};
    constexpr char digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < 256; ++i) {
      pairs[2 * i] = digits[i >> 4];
      pairs[2 * i + 1] = digits[i & 15];
    }
    return pairs;
  }();
  static const char* hexPair(std::uint32_t byte) { return kHexPairs.data() + 2 * byte; }

  // Writes `value` as "0x%04x" at `at`; returns the end.
  static char* writeHex(char* at, std::uint32_t value) {
    if (value > 0xFFFFu) return at + writeLongHex(at, value);
    at[0] = '0';
    at[1] = 'x';
    std::memcpy(at + 2, hexPair(value >> 8), 2);
    std::memcpy(at + 4, hexPair(value & 0xFFu), 2);
    return at + 6;
  }

  // Values above 0xffff: "0x" and as many digits as the value needs.
  static std::size_t writeLongHex(char* at, std::uint32_t value);
  void grow(std::size_t count);

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace qarto
