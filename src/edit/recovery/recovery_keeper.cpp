#include "edit/recovery/recovery_keeper.h"

#include <unistd.h>

#include <cerrno>

#include "edit/recovery/recovery_snapshot.h"
#include "io/recovery/recovery_copies.h"
#include "model/project/editor_session.h"

namespace qarto {

RecoveryKeeper::RecoveryKeeper(EditorSession& session, RecoveryOptions options)
    : session_(session), options_(std::move(options)) {
  if (options_.system == nullptr) options_.system = &realFileSystem();
}

RecoveryKeeper::~RecoveryKeeper() { finishWrite(); }

void RecoveryKeeper::changed(Clock::time_point now) {
  const MapProject& project = session_.project();
  const bool unsaved = project.modified && project.hasLayers();
  // Another map (New, Open, Save As) or no unsaved changes: the copy is stale.
  const bool haveCopy = !copyPath_.empty() || inFlight_.valid();
  if (haveCopy && (!unsaved || project.filePath != mapPath_)) dropCopy();
  if (!unsaved || pending_) return;
  pending_ = true;
  if (copyPath_.empty()) since_ = now;
}

bool RecoveryKeeper::tick(Clock::time_point now) {
  if (inFlight_.valid()) {
    if (inFlight_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return false;
    collect(inFlight_.get());
  }
  if (!pending_ || now - since_ < options_.interval) return false;
  const MapProject& project = session_.project();
  if (!project.modified || !project.hasLayers()) {
    pending_ = false;
    return false;
  }
  if (!makeRecoveryFolder(options_.folder)) {
    lastFailure_ = WriteFailure{WriteStep::CreateTemporary, errno};
    since_ = now;
    return false;
  }
  pending_ = false;
  since_ = now;
  mapPath_ = project.filePath;
  const std::string target = recoveryCopyPath(options_.folder, project.filePath, options_.processId);
  std::unique_ptr<RecoverySnapshot> snapshot = std::move(spare_);
  const std::string storedPath = absoluteMapPath(project.filePath);
  if (snapshot) {
    snapshot->refresh(project, session_.registry(), storedPath);
  } else {
    snapshot = std::make_unique<RecoverySnapshot>(project, session_.registry(), storedPath);
  }
  FileSystem* system = options_.system;
  auto write = [snapshot = std::move(snapshot), target, system]() mutable {
    Written written{target, std::nullopt, nullptr};
    WriteFailure failure;
    if (!snapshot->write(target, *system, failure)) written.failure = failure;
    written.snapshot = std::move(snapshot);
    return written;
  };
  inFlight_ = std::async(options_.background ? std::launch::async : std::launch::deferred, std::move(write));
  if (!options_.background) collect(inFlight_.get());
  return true;
}

void RecoveryKeeper::collect(Written written) {
  spare_ = std::move(written.snapshot);
  lastFailure_ = written.failure;
  if (written.failure) return;
  // A copy under another name (the map was renamed) is replaced by this one.
  if (!copyPath_.empty() && copyPath_ != written.copyPath) ::unlink(copyPath_.c_str());
  copyPath_ = written.copyPath;
}

void RecoveryKeeper::finishWrite() {
  if (inFlight_.valid()) collect(inFlight_.get());
}

void RecoveryKeeper::dropCopy() {
  finishWrite();
  if (!copyPath_.empty()) ::unlink(copyPath_.c_str());
  copyPath_.clear();
  pending_ = false;
  spare_.reset();
}

void RecoveryKeeper::adopt(const std::string& copyPath, const std::string& mapPath) {
  finishWrite();
  copyPath_ = copyPath;
  mapPath_ = mapPath;
  pending_ = false;
}

}  // namespace qarto
