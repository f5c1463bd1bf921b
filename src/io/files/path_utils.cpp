#include "io/files/path_utils.h"

#include <algorithm>

namespace qarto {

namespace {

// Position of the dot that starts the extension: the last "." of the final
// path component. A dot inside a folder name ("maps.v2/page") is no extension.
std::string::size_type extensionDot(const std::string& path) {
  const std::string::size_type slash = path.find_last_of("/\\");
  const std::string::size_type dot = path.rfind('.');
  if (dot == std::string::npos) return std::string::npos;
  if (slash != std::string::npos && dot < slash) return std::string::npos;
  return dot;
}

}  // namespace

PathParts splitPath(const std::string& path) {
  std::string normal = path;
  std::replace(normal.begin(), normal.end(), '\\', '/');

  PathParts parts;
  std::string name = normal;
  const std::string::size_type slash = normal.rfind('/');
  if (slash != std::string::npos) {
    parts.folder = normal.substr(0, slash);
    name = normal.substr(slash + 1);
  }
  const std::string::size_type dot = name.rfind('.');
  if (dot == std::string::npos) {
    parts.baseName = name;
  } else {
    parts.baseName = name.substr(0, dot);
    parts.extension = name.substr(dot + 1);
  }
  return parts;
}

std::string fileTitle(const std::string& path) { return splitPath(path).baseName; }

std::optional<std::string> fileExtension(const std::string& path) {
  const std::string::size_type dot = extensionDot(path);
  if (dot == std::string::npos) return std::nullopt;
  return path.substr(dot + 1);
}

std::string replaceExtension(const std::string& path, const std::string& extension) {
  const std::string::size_type dot = extensionDot(path);
  if (dot == std::string::npos) return path + "." + extension;
  return path.substr(0, dot + 1) + extension;
}

std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  if (last == '/' || last == '\\') return folder + name;
  return folder + "/" + name;
}

}  // namespace qarto
