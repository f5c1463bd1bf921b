#include "export/binary/array_names.h"

#include <vector>

#include "export/text/export_text_blocks.h"
#include "io/c_source/c_characters.h"
#include "io/c_source/source_array_scan.h"

namespace qarto {

std::string arrayNameOf(const std::string& format, const PlaceholderValues& values, bool withLayer,
                        const std::string& fallback) {
  const DataBlockText block = splitDataBlock(format, values, withLayer);
  // A template without "%data%" declares its array in what would be the tail.
  const std::vector<std::string> names = scanArrayNames(block.head.empty() ? block.tail : block.head);
  if (names.empty()) return fallback;
  const std::string& found = names.front();
  std::size_t start = found.size();
  while (start > 0 && isCWordCharacter(found[start - 1])) --start;
  return start == found.size() ? fallback : found.substr(start);
}

std::string ArrayNames::take(const std::string& name) {
  std::string taken = name;
  for (int use = ++uses_[name]; use > 1 && uses_.count(taken) != 0; ++use) taken = name + std::to_string(use);
  if (taken != name) ++uses_[taken];
  return taken;
}

}  // namespace qarto
