#include "io/files/recent_file_list.h"

#include <algorithm>

#include "io/files/canonical_path.h"
#include "model/settings/settings_store.h"

namespace qarto {

namespace {
std::string keyOf(int index) { return "File" + std::to_string(index + 1); }
}  // namespace

std::vector<std::string> RecentFileList::entries() const {
  std::vector<std::string> paths;
  for (int i = 0; i < kRecentFileCount; ++i) {
    std::string path = settings_.readText(kRecentFileSection, keyOf(i), "");
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

void RecentFileList::add(const std::string& typed) {
  if (typed.empty()) return;
  // A relative entry would open another file, or none, from another folder.
  const std::string path = canonicalPath(typed);
  std::vector<std::string> paths = entries();
  std::erase_if(paths, [&path](const std::string& entry) { return canonicalPath(entry) == path; });
  paths.insert(paths.begin(), path);
  paths.resize(std::min<std::size_t>(paths.size(), kRecentFileCount));
  for (int i = 0; i < kRecentFileCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    settings_.writeText(kRecentFileSection, keyOf(i), index < paths.size() ? paths[index] : std::string());
  }
}

}  // namespace qarto
