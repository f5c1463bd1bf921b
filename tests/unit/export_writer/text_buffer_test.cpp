#include "export/text/text_buffer.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace qarto::test {
namespace {

// The export's number formats against printf, at every digit-count boundary
// and both ends of each type, in one text that grows far past its first room.
TEST(TextBuffer, WritesWhatPrintfWrites) {
  std::vector<std::uint32_t> hex = {0xfff, 0x1000, 0xffff, 0x10000, 0xfffff, 0xabcdef, 0x80000000, 0xffffffff};
  for (std::uint32_t v = 0; v < 0x20000; v += 97) hex.push_back(v);
  std::vector<std::int64_t> decimal = {std::numeric_limits<std::int64_t>::min(),
                                       std::numeric_limits<std::int64_t>::max()};
  for (std::int64_t power = 1;; power *= 10) {
    decimal.insert(decimal.end(), {power - 1, power, 1 - power, -power});
    if (power > std::numeric_limits<std::int64_t>::max() / 10) break;
  }
  TextBuffer buffer;
  std::string expected;
  char text[64];
  for (const std::uint32_t value : hex) {
    buffer.appendHex(value);
    TextBuffer::Block block(buffer, 1 + TextBuffer::kMaxHexLength);
    block.append(',');
    block.appendHex(~value);
    std::snprintf(text, sizeof text, "0x%04x,0x%04x", value, ~value);
    expected += text;
  }
  for (const std::int64_t value : decimal) {
    buffer.appendDecimal(value);
    buffer.append(" ");
    std::snprintf(text, sizeof text, "%" PRId64 " ", value);
    expected += text;
  }
  EXPECT_EQ(buffer.str(), expected);
}

}  // namespace
}  // namespace qarto::test
