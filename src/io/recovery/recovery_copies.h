#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qarto {

// Recovery copies: while a map has unsaved changes the editor keeps a copy
// of the whole project, in the map file format, in the user's state folder.
// One copy per map, named after the map's absolute path, so the next start
// can offer each one back.

inline constexpr std::int64_t kRecoveryMaxAgeSeconds = 14 * 24 * 60 * 60;

struct RecoveryCopy {
  std::string copyPath;
  // The map the copy belongs to, as stored in the copy; empty for a map
  // that had no file yet, or when the copy's header cannot be read.
  std::string mapPath;
  std::int64_t writtenSeconds = 0;  // when the copy was written (since the epoch)
  bool headerReadable = false;
};

// $XDG_STATE_HOME/qarto/recovery, or ~/.local/state/qarto/recovery.
std::string recoveryFolder();
// Creates the folder and its parents (private to the user); false when it cannot.
bool makeRecoveryFolder(const std::string& folder);

// `path` made absolute against the working folder, "." and ".." resolved.
std::string absoluteMapPath(const std::string& path);

// "<title>-<hash of the absolute path>.qrm"; a map without a file gets
// "untitled-<process>.qrm" so that two editors never share one.
std::string recoveryCopyPath(const std::string& folder, const std::string& mapPath, int processId);

// Every copy in the folder, newest first; damaged copies kept aside
// (".damaged") and unfinished writes are not listed.
std::vector<RecoveryCopy> listRecoveryCopies(const std::string& folder);
// Copies older than 14 days are no longer offered.
bool isOfferable(const RecoveryCopy& copy, std::int64_t nowSeconds);
// The copy of the map at `mapPath`, if there is one.
std::optional<RecoveryCopy> findRecoveryCopy(const std::string& folder, const std::string& mapPath);

// Renames a copy that cannot be read to "<copy>.damaged"; returns the new
// path, or empty when it could not be moved.
std::string keepDamagedCopyAside(const std::string& copyPath);

// "2026-12-07 16:05", local time, for the questions and the listing.
std::string recoveryTimeText(std::int64_t seconds);

}  // namespace qarto
