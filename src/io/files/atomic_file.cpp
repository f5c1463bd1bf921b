#include "io/files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace qarto {

AtomicFile::AtomicFile(std::string targetPath) : target_(std::move(targetPath)) {}

AtomicFile::~AtomicFile() {
  if (!committed_) discard();
}

bool AtomicFile::open() {
  if (fd_ >= 0) return true;
  std::vector<char> name(target_.begin(), target_.end());
  const std::string suffix = ".tmpXXXXXX";
  name.insert(name.end(), suffix.begin(), suffix.end());
  name.push_back('\0');
  fd_ = mkstemp(name.data());
  if (fd_ < 0) {
    failed_ = true;
    return false;
  }
  temp_ = name.data();
  // Keep the permissions an ordinary new file would get.
  mode_t mask = umask(0);
  umask(mask);
  struct stat existing {};
  mode_t mode = (stat(target_.c_str(), &existing) == 0) ? (existing.st_mode & 07777) : (0666 & ~mask);
  fchmod(fd_, mode);
  return true;
}

bool AtomicFile::write(const void* data, std::size_t size) {
  if (failed_ || fd_ < 0) {
    failed_ = true;
    return false;
  }
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(fd_, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed_ = true;
      return false;
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool AtomicFile::commit() {
  if (failed_ || fd_ < 0) {
    discard();
    return false;
  }
  bool ok = fsync(fd_) == 0;
  ok = (::close(fd_) == 0) && ok;
  fd_ = -1;
  if (!ok || std::rename(temp_.c_str(), target_.c_str()) != 0) {
    failed_ = true;
    discard();
    return false;
  }
  committed_ = true;
  return true;
}

void AtomicFile::discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

bool writeFileAtomically(const std::string& path, const void* data, std::size_t size) {
  AtomicFile file(path);
  return file.open() && file.write(data, size) && file.commit();
}

}  // namespace qarto
