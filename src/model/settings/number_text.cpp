#include "model/settings/number_text.h"

#include <charconv>
#include <system_error>

namespace qarto {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The text without blanks around it and without a leading "+" (which
// from_chars does not take), when it is a sign, digits and, where allowed,
// one decimal point; empty otherwise.
std::optional<std::string_view> plainNumber(std::string_view text, bool decimal) {
  text = trimmed(text);
  std::size_t at = 0;
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
  } else if (!text.empty() && text.front() == '-') {
    at = 1;
  }
  std::size_t digits = 0;
  bool point = false;
  for (; at < text.size(); ++at) {
    if (isDigit(text[at])) {
      ++digits;
    } else if (text[at] == '.' && decimal && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  return text;
}

template <typename Number, typename... Format>
std::optional<Number> convert(std::string_view text, Format... format) {
  Number value{};
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(text.data(), last, value, format...);
  if (result.ec != std::errc{} || result.ptr != last) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> parseIntegerText(std::string_view text) {
  const std::optional<std::string_view> number = plainNumber(text, false);
  if (!number) return std::nullopt;
  return convert<int>(*number);
}

std::optional<double> parseDecimalText(std::string_view text) {
  const std::optional<std::string_view> number = plainNumber(text, true);
  if (!number) return std::nullopt;
  return convert<double>(*number, std::chars_format::fixed);
}

}  // namespace qarto
