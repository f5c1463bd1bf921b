#pragma once

#include <string>

namespace qarto {

// The one form a map's path is kept and shown in, however it was typed:
// absolute, with "." and ".." and symbolic links resolved as far as the
// path exists. Empty stays empty.
std::string canonicalPath(const std::string& path);

}  // namespace qarto
