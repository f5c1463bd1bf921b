#pragma once

#include <map>
#include <string>

#include "export/text/export_template.h"

namespace qarto {

// The name an array template declares once its placeholders are expanded:
// the identifier before its first "[" ("const u16 bgMap[%arraySize%]..."
// gives bgMap). Characters a C name cannot hold are left out from the
// front; `fallback` when nothing is left.
std::string arrayNameOf(const std::string& format, const PlaceholderValues& values, bool withLayer,
                        const std::string& fallback);

// Hands out each name once: the second bgMap becomes bgMap2, the third
// bgMap3, so that arrays whose templates give the same name get files of
// their own.
class ArrayNames {
 public:
  std::string take(const std::string& name);

 private:
  std::map<std::string, int> uses_;
};

}  // namespace qarto
