#pragma once

#include <string>

namespace qarto {

// The export directory from the Export Path edit: ends in "/" and holds no
// backslash.
std::string exportDirectoryFromPath(const std::string& path);

// Creates the directory that is to hold `path` (backslashes count as "/"),
// with every missing parent. True when that directory exists afterwards;
// callers need not check, the following open fails instead.
bool CreateParentDirectories(const std::string& path);

}  // namespace qarto
