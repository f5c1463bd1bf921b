#pragma once

#include <string>
#include <vector>

namespace qarto {

class SettingsStore;

inline constexpr const char* kRecentFileSection = "Recent File List";
inline constexpr int kRecentFileCount = 9;

// The maps opened or saved most recently, most recent first, kept in the
// settings store under "Recent File List" as "File1" to "File9". The store
// is the only copy, so every window and run sees the same list.
class RecentFileList {
 public:
  explicit RecentFileList(SettingsStore& settings) : settings_(settings) {}

  // The stored paths, most recent first, without gaps.
  std::vector<std::string> entries() const;
  // Puts `path` first, made canonical (canonical_path.h); an earlier entry
  // of the same file moves up instead of appearing twice, and the oldest
  // entry falls off the end.
  void add(const std::string& path);

 private:
  SettingsStore& settings_;
};

}  // namespace qarto
