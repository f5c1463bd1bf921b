#pragma once

#include <cstddef>
#include <string>

namespace qarto {

// The steps of an atomic write, in order; each may fail on its own.
enum class WriteStep { CreateTemporary, Write, Sync, SyncFolder, Rename };

// The system calls behind an atomic write. Everything goes through this so
// tests can make any step fail as a full disk, a read-only or a vanished
// folder would. Each call returns 0 or an errno value.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // mkstemp on `pattern` (ending in XXXXXX, replaced in place); fd receives the file.
  virtual int createTemporary(std::string& pattern, int& fd);
  // Writes all of it, or fails.
  virtual int write(int fd, const void* data, std::size_t size);
  // fsync, then close; the descriptor is closed either way.
  virtual int syncAndClose(int fd);
  // Makes the folder's entries durable (fsync on the folder).
  virtual int syncFolder(const std::string& folder);
  virtual int rename(const std::string& from, const std::string& to);
};

// The real file system.
FileSystem& realFileSystem();

// "creating the file", "writing the file", ... for messages.
const char* writeStepText(WriteStep step);

// What a failed write tells the user: what happened and where.
struct WriteFailure {
  WriteStep step = WriteStep::CreateTemporary;
  int error = 0;  // errno
};

// "PATH: the disk is full (writing the file)." and the like.
std::string describeWriteFailure(const std::string& path, const WriteFailure& failure);

}  // namespace qarto
