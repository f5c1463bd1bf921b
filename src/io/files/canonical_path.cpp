#include "io/files/canonical_path.h"

#include <filesystem>
#include <system_error>

namespace qarto {

std::string canonicalPath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  if (error) {
    resolved = std::filesystem::absolute(path, error);
    if (error) return path;
    resolved = resolved.lexically_normal();
  }
  return resolved.string();
}

}  // namespace qarto
