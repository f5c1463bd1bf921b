#include "export/export_paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "io/files/atomic_file.h"

namespace qarto {

std::string exportDirectoryFromPath(const std::string& path) {
  std::string directory = path;
  // A trailing "/" counts as well, so a folder chooser's "/out/" does not become "/out//".
  if (directory.empty() || (directory.back() != '\\' && directory.back() != '/')) directory += '\\';
  std::replace(directory.begin(), directory.end(), '\\', '/');
  return directory;
}

bool CreateParentDirectories(const std::string& path) {
  std::string normal = path;
  std::replace(normal.begin(), normal.end(), '\\', '/');
  // A "/" in the final position does not end the directory part.
  const std::size_t searchEnd = normal.size() >= 2 ? normal.size() - 2 : 0;
  const std::size_t slash = normal.empty() ? std::string::npos : normal.rfind('/', searchEnd);
  if (slash == std::string::npos || slash == 0) return true;  // the current directory or the root

  const std::filesystem::path directory(normal.substr(0, slash));
  std::error_code error;
  if (std::filesystem::is_directory(directory, error)) return true;
  std::filesystem::create_directories(directory, error);
  return std::filesystem::is_directory(directory, error);
}

bool writeExportFile(const std::string& path, const void* data, std::size_t size, std::vector<std::string>& written,
                     std::string& failed) {
  CreateParentDirectories(path);
  if (!writeFileAtomically(path, data, size)) {
    failed = path;
    return false;
  }
  written.push_back(path);
  return true;
}

}  // namespace qarto
