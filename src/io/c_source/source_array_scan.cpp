#include "io/c_source/source_array_scan.h"

#include <cstdint>
#include <unordered_set>

#include "io/c_source/c_characters.h"
#include "io/files/file_bytes.h"

namespace qarto {

namespace {

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// The run of non-blank characters left of the "[" at `bracket`, blanks
// between it and the "[" skipped. Never looks before the first character.
std::string_view nameBefore(std::string_view text, std::size_t bracket) {
  if (bracket == 0 || bracket + 1 >= text.size()) return {};
  std::size_t end = bracket;
  while (end > 0 && isCBlank(text[end - 1])) --end;
  std::size_t start = end;
  while (start > 0 && !isCBlank(text[start - 1])) --start;
  return text.substr(start, end - start);
}

}  // namespace

std::vector<std::string> scanArrayNames(std::string_view text) {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;  // lower case
  for (std::size_t bracket = text.find('['); bracket != std::string_view::npos;
       bracket = bracket + 2 < text.size() ? text.find('[', bracket + 2) : std::string_view::npos) {
    const std::string_view name = nameBefore(text, bracket);
    if (name.empty()) continue;
    if (seen.insert(lowerCase(name)).second) names.emplace_back(name);
  }
  return names;
}

SourceScanResult scanSourceFile(const std::string& path) {
  SourceScanResult result;
  std::vector<std::uint8_t> bytes;
  switch (readFileBytes(path, bytes, kMaxSourceBytes)) {
    case ReadStatus::Ok: break;
    case ReadStatus::Empty: result.status = SourceScanStatus::Empty; return result;
    case ReadStatus::NotFound:
    case ReadStatus::TooLarge: result.status = SourceScanStatus::NotFound; return result;
  }
  result.status = SourceScanStatus::Ok;
  result.names = scanArrayNames(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return result;
}

}  // namespace qarto
