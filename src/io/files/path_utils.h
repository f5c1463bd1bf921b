#pragma once

#include <optional>
#include <string>

namespace qarto {

struct PathParts {
  std::string folder;     // before the last "/", "" when there is none
  std::string baseName;   // between the folder and the extension
  std::string extension;  // after the last ".", without the dot
};

// Every "\\" becomes "/" first.
PathParts splitPath(const std::string& path);
// The base name without folder and extension.
std::string fileTitle(const std::string& path);
// The text after the last "."; nullopt when there is none.
std::optional<std::string> fileExtension(const std::string& path);
// `path` with its extension (after the last ".") replaced by `extension`
// (given without the dot); appended when there is none.
std::string replaceExtension(const std::string& path, const std::string& extension);
// Joins a folder and a name with "/" unless the folder is empty or already
// ends in "/" or "\\".
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace qarto
