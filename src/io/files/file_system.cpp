#include "io/files/file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qarto {

int FileSystem::createTemporary(std::string& pattern, int& fd) {
  fd = mkstemp(pattern.data());
  return fd < 0 ? errno : 0;
}

int FileSystem::write(int fd, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

int FileSystem::syncAndClose(int fd) {
  int error = fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

int FileSystem::syncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  // Some file systems cannot sync a folder; that is no reason to refuse.
  int error = (fsync(fd) == 0 || errno == EINVAL || errno == EROFS) ? 0 : errno;
  ::close(fd);
  return error;
}

int FileSystem::rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

FileSystem& realFileSystem() {
  static FileSystem system;
  return system;
}

const char* writeStepText(WriteStep step) {
  switch (step) {
    case WriteStep::CreateTemporary: return "creating the file";
    case WriteStep::Write: return "writing the file";
    case WriteStep::Sync: return "flushing the file to disk";
    case WriteStep::SyncFolder: return "flushing the folder to disk";
    case WriteStep::Rename: return "replacing the previous file";
  }
  return "writing the file";
}

std::string describeWriteFailure(const std::string& path, const WriteFailure& failure) {
  std::string reason;
  switch (failure.error) {
    case ENOSPC:
    case EDQUOT: reason = "the disk is full"; break;
    case EROFS:
    case EACCES:
    case EPERM: reason = "the folder is read-only or not yours to write"; break;
    case ENOENT:
    case ENOTDIR: reason = "the folder does not exist (any more)"; break;
    case EISDIR: reason = "a folder has that name"; break;
    case EIO: reason = "the disk reported an input/output error"; break;
    default: reason = std::strerror(failure.error); break;
  }
  return path + ": " + reason + " (" + writeStepText(failure.step) + ").";
}

}  // namespace qarto
