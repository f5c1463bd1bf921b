#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "io/files/file_system.h"

namespace qarto {

// Writes a file so that the target is either the old file, byte for byte, or
// the complete new one: the bytes go to a temporary file beside the target,
// which is flushed, made durable in its folder and renamed over the target
// only by commit().
class AtomicFile {
 public:
  explicit AtomicFile(std::string targetPath, FileSystem& system = realFileSystem());
  ~AtomicFile();  // removes the temporary file unless committed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file; false when the folder cannot be written.
  bool open();
  // False once any write has failed (disk full, short write).
  bool write(const void* data, std::size_t size);
  bool write(const std::uint8_t* begin, const std::uint8_t* end) { return write(begin, static_cast<std::size_t>(end - begin)); }
  // Flushes, syncs and renames over the target; false leaves the target as it was.
  bool commit();
  bool failed() const { return failure_.has_value(); }
  // The step that failed first and why.
  const std::optional<WriteFailure>& failure() const { return failure_; }
  const std::string& targetPath() const { return target_; }

 private:
  bool fail(WriteStep step, int error);
  void discard();

  std::string target_;
  FileSystem& system_;
  std::string temp_;
  int fd_ = -1;
  std::optional<WriteFailure> failure_;
  bool committed_ = false;
};

// Writes a whole buffer atomically; the failure, if any, goes to `failure`.
bool writeFileAtomically(const std::string& path, const void* data, std::size_t size,
                         WriteFailure* failure = nullptr, FileSystem& system = realFileSystem());

}  // namespace qarto
