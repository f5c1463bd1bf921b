#include "io/recovery/recovery_copies.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "io/files/disk_stamp.h"
#include "io/files/path_utils.h"
#include "io/map_file/map_file_format.h"

namespace qarto {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCopyExtension = ".qrm";
// Magic, un-optimized byte, two tileset ids, three option bytes, then the path.
constexpr std::size_t kPathOffset = kMagicSize + 1 + 4 + 4 + 3;

std::string hex16(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// Titles become part of a file name: keep it short and plain.
std::string plainTitle(const std::string& path) {
  std::string title;
  for (const char c : fileTitle(path)) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    title += plain ? c : '_';
    if (title.size() == 40) break;
  }
  return title.empty() ? "map" : title;
}

void readHeader(RecoveryCopy& copy) {
  std::ifstream in(copy.copyPath, std::ios::binary);
  char header[kPathOffset + kStoredPathBytes];
  if (!in.read(header, sizeof header)) return;
  const auto magic = mapMagic(kCurrentMapRevision);
  if (std::memcmp(header, magic.data(), kMagicSize) != 0) return;
  const char* path = header + kPathOffset;
  copy.mapPath.assign(path, strnlen(path, kStoredPathBytes));
  copy.headerReadable = true;
}

}  // namespace

std::string recoveryFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  std::string base;
  if (state != nullptr && state[0] == '/') {
    base = state;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.local/state";
  }
  return joinPath(base, "qarto/recovery");
}

bool makeRecoveryFolder(const std::string& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) return false;
  ::chmod(folder.c_str(), 0700);
  return true;
}

std::string absoluteMapPath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

std::string recoveryCopyPath(const std::string& folder, const std::string& mapPath, int processId) {
  if (mapPath.empty()) return joinPath(folder, "untitled-" + std::to_string(processId) + kCopyExtension);
  const std::string absolute = absoluteMapPath(mapPath);
  return joinPath(folder, plainTitle(absolute) + "-" + hex16(fnv1a(absolute.data(), absolute.size())) + kCopyExtension);
}

std::vector<RecoveryCopy> listRecoveryCopies(const std::string& folder) {
  std::vector<RecoveryCopy> copies;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path& path = it->path();
    if (path.extension() != kCopyExtension || !it->is_regular_file(error)) continue;
    RecoveryCopy copy;
    copy.copyPath = path.string();
    struct stat info {};
    if (::stat(copy.copyPath.c_str(), &info) == 0) copy.writtenSeconds = info.st_mtim.tv_sec;
    readHeader(copy);
    copies.push_back(std::move(copy));
  }
  std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
    return a.writtenSeconds != b.writtenSeconds ? a.writtenSeconds > b.writtenSeconds : a.copyPath < b.copyPath;
  });
  return copies;
}

bool isOfferable(const RecoveryCopy& copy, std::int64_t nowSeconds) {
  return nowSeconds - copy.writtenSeconds < kRecoveryMaxAgeSeconds;
}

std::optional<RecoveryCopy> findRecoveryCopy(const std::string& folder, const std::string& mapPath) {
  const std::string wanted = recoveryCopyPath(folder, mapPath, 0);
  for (RecoveryCopy& copy : listRecoveryCopies(folder)) {
    if (copy.copyPath == wanted) return std::move(copy);
  }
  return std::nullopt;
}

std::string keepDamagedCopyAside(const std::string& copyPath) {
  const std::string aside = copyPath + ".damaged";
  return std::rename(copyPath.c_str(), aside.c_str()) == 0 ? aside : std::string();
}

std::string recoveryTimeText(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm local {};
  localtime_r(&time, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

}  // namespace qarto
