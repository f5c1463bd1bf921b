#include "io/files/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qarto {

namespace {

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

AtomicFile::AtomicFile(std::string targetPath, FileSystem& system) : target_(std::move(targetPath)), system_(system) {}

AtomicFile::~AtomicFile() {
  if (!committed_) discard();
}

bool AtomicFile::fail(WriteStep step, int error) {
  if (!failure_) failure_ = WriteFailure{step, error != 0 ? error : EIO};
  return false;
}

bool AtomicFile::open() {
  if (fd_ >= 0) return true;
  std::string name = target_ + ".tmpXXXXXX";
  if (const int error = system_.createTemporary(name, fd_); error != 0 || fd_ < 0) {
    fd_ = -1;
    return fail(WriteStep::CreateTemporary, error);
  }
  temp_ = name;
  // Keep the permissions an ordinary new file would get.
  mode_t mask = umask(0);
  umask(mask);
  struct stat existing {};
  mode_t mode = (stat(target_.c_str(), &existing) == 0) ? (existing.st_mode & 07777) : (0666 & ~mask);
  fchmod(fd_, mode);
  return true;
}

bool AtomicFile::write(const void* data, std::size_t size) {
  if (failure_ || fd_ < 0) return fail(WriteStep::Write, EBADF);
  if (const int error = system_.write(fd_, data, size); error != 0) return fail(WriteStep::Write, error);
  return true;
}

bool AtomicFile::commit() {
  if (failure_ || fd_ < 0) {
    discard();
    return fail(WriteStep::Write, EBADF);
  }
  const int fd = fd_;
  fd_ = -1;
  int error = system_.syncAndClose(fd);
  WriteStep step = WriteStep::Sync;
  const std::string folder = folderOf(target_);
  if (error == 0) {
    step = WriteStep::SyncFolder;
    error = system_.syncFolder(folder);
  }
  if (error == 0) {
    step = WriteStep::Rename;
    error = system_.rename(temp_, target_);
  }
  if (error != 0) {
    discard();
    return fail(step, error);
  }
  // The rename itself made durable; the target is complete either way.
  system_.syncFolder(folder);
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

bool writeFileAtomically(const std::string& path, const void* data, std::size_t size, WriteFailure* failure,
                         FileSystem& system) {
  AtomicFile file(path, system);
  const bool written = file.open() && file.write(data, size) && file.commit();
  if (!written && failure != nullptr && file.failure()) *failure = *file.failure();
  return written;
}

}  // namespace qarto
