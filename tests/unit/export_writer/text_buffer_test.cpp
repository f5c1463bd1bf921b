#include "export/text/text_buffer.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace qarto::test {
namespace {

std::string printfHex(std::uint32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%04x", value);
  return text;
}

std::string printfDecimal(std::int64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%" PRId64, value);
  return text;
}

// Every digit-count boundary, both ends of each type, and a spread between.
std::vector<std::uint32_t> hexValues() {
  std::vector<std::uint32_t> values = {0, 1, 9, 10, 15, 16, 0xff, 0x100, 0xabc, 0xfff, 0x1000, 0x7fff, 0x8000, 0xfffe,
                                       0xffff, 0x10000, 0xfffff, 0x100000, 0xabcdef, 0x7fffffff, 0x80000000,
                                       0xfffffffe, 0xffffffff};
  for (std::uint32_t v = 0; v < 0x20000; v += 97) values.push_back(v);
  return values;
}

std::vector<std::int64_t> decimalValues() {
  std::vector<std::int64_t> values = {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
                                      std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                                      65535, -128, 127};
  for (std::int64_t power = 1;; power *= 10) {
    for (std::int64_t v : {power - 1, power, power + 1}) {
      values.push_back(v);
      values.push_back(-v);
    }
    if (power > std::numeric_limits<std::int64_t>::max() / 10) break;  // 10^18, the last power of ten
  }
  return values;
}

TEST(TextBuffer, HexAsPrintfWrites) {
  for (std::uint32_t value : hexValues()) {
    TextBuffer buffer;
    buffer.appendHex(value);
    ASSERT_EQ(buffer.str(), printfHex(value)) << value;
  }
}

TEST(TextBuffer, DecimalAsPrintfWrites) {
  for (std::int64_t value : decimalValues()) {
    TextBuffer buffer;
    buffer.appendDecimal(value);
    ASSERT_EQ(buffer.str(), printfDecimal(value)) << value;
  }
}

TEST(TextBuffer, LongTextsKeepEveryPieceInOrder) {
  // Far past the first block, mixing every kind of append and blocks that
  // end just short of their room.
  TextBuffer buffer;
  std::string expected;
  for (std::uint32_t value : hexValues()) {
    buffer.append(',');
    buffer.appendHex(value);
    buffer.append(" ; ");
    expected.append(",").append(printfHex(value)).append(" ; ");
    {
      TextBuffer::Block block(buffer, 2 * TextBuffer::kMaxHexLength + 1);
      block.appendHex(value);
      block.append('\n');
      block.appendHex(0xffffffffu - value);
    }
    expected.append(printfHex(value)).append("\n").append(printfHex(0xffffffffu - value));
  }
  for (std::int64_t value : decimalValues()) {
    buffer.appendDecimal(value);
    expected += printfDecimal(value);
  }
  EXPECT_EQ(buffer.size(), expected.size());
  EXPECT_EQ(buffer.str(), expected);
}

}  // namespace
}  // namespace qarto::test
