#include "model/settings/float_text.h"

#include <array>
#include <charconv>
#include <system_error>

namespace qarto {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::string formatFloatText(float value) {
  // Enough for the fixed notation of any float with six decimals.
  std::array<char, 64> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(value),
                    std::chars_format::fixed, 6);
  if (result.ec != std::errc{}) return "0.000000";
  return std::string(buffer.data(), result.ptr);
}

std::optional<float> scanFloatText(std::string_view& text) {
  std::size_t pos = 0;
  while (pos < text.size() && isBlank(text[pos])) ++pos;

  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // from_chars takes a minus sign itself; after our own sign another one is an error.
  if (pos >= text.size() || text[pos] == '-' || text[pos] == '+') return std::nullopt;

  float value = 0.0f;
  const char* first = text.data() + pos;
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec != std::errc{}) return std::nullopt;

  text.remove_prefix(static_cast<std::size_t>(result.ptr - text.data()));
  return negative ? -value : value;
}

}  // namespace qarto
