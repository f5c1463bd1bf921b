#pragma once

#include <optional>

#include "io/files/file_system.h"

namespace qarto::test {

// The real file system with one step of an atomic write failing as a full
// disk, a read-only or a vanished folder would; `failing.reset()` heals it.
struct FailingFileSystem : FileSystem {
  std::optional<WriteStep> failing;
  int error;
  FailingFileSystem(WriteStep step, int errorNumber) : failing(step), error(errorNumber) {}
  int fail(WriteStep step, int real) const { return step == failing ? error : real; }
  int createTemporary(std::string& pattern, int& fd) override {
    return failing == WriteStep::CreateTemporary ? error : FileSystem::createTemporary(pattern, fd);
  }
  int write(int fd, const void* d, std::size_t n) override { return fail(WriteStep::Write, FileSystem::write(fd, d, n)); }
  int syncAndClose(int fd) override { return fail(WriteStep::Sync, FileSystem::syncAndClose(fd)); }
  int syncFolder(const std::string& f) override { return fail(WriteStep::SyncFolder, FileSystem::syncFolder(f)); }
  int rename(const std::string& a, const std::string& b) override {
    return failing == WriteStep::Rename ? error : FileSystem::rename(a, b);
  }
};

}  // namespace qarto::test
