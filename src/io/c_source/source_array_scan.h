#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qarto {

// The names of the arrays a C source text declares or indexes, found by
// looking left of every "[": `const u16 bgMap[2048] = {` gives bgMap,
// `tiles[i]` gives tiles, `bgTiles [512]` gives bgTiles. This is a scan for
// the import dialog's drop lists, not a C parser: whatever run of non-blank
// characters stands before a "[" is taken (a blank is any byte below "!").
//
// Each "[" after the first is searched from two characters after the
// previous one. A "[" with nothing before it or nothing after it (the first
// or the last character of the text) gives no name. Names are listed in the
// order they are found, each once: a name equal to an earlier one apart
// from letter case is left out.
std::vector<std::string> scanArrayNames(std::string_view text);

enum class SourceScanStatus {
  Ok,
  NotFound,  // the file cannot be opened (or is too large to read)
  Empty,     // the file holds no bytes
};

struct SourceScanResult {
  SourceScanStatus status = SourceScanStatus::NotFound;
  std::vector<std::string> names;
};

// Reads the whole file and scans it.
SourceScanResult scanSourceFile(const std::string& path);

}  // namespace qarto
