#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qarto {

// The export directory from the Export Path edit: ends in "/" and holds no
// backslash.
std::string exportDirectoryFromPath(const std::string& path);

// Creates the directory that is to hold `path` (backslashes count as "/"),
// with every missing parent. True when that directory exists afterwards;
// callers need not check, the following open fails instead.
bool CreateParentDirectories(const std::string& path);

// One file of an export, written atomically into a folder made on demand:
// its path joins `written`, or on failure becomes `failed`.
bool writeExportFile(const std::string& path, const void* data, std::size_t size, std::vector<std::string>& written,
                     std::string& failed);

}  // namespace qarto
