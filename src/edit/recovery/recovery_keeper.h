#pragma once

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "io/files/file_system.h"

namespace qarto {

class EditorSession;
class RecoverySnapshot;

struct RecoveryOptions {
  std::string folder;  // recoveryFolder() in the editor
  std::chrono::milliseconds interval{10000};
  bool background = true;  // write on another thread; tests write at once
  int processId = 0;       // names the copy of a map without a file
  FileSystem* system = nullptr;  // the real file system when unset
};

// Keeps a recovery copy of the open map while it has unsaved changes: at
// most one write per interval, from a snapshot taken on the caller's
// thread, encoded and written atomically on another. The copy goes as
// soon as the map has no unsaved changes (saved, reloaded, New, Open) or
// is closed without saving.
class RecoveryKeeper {
 public:
  using Clock = std::chrono::steady_clock;

  RecoveryKeeper(EditorSession& session, RecoveryOptions options);
  ~RecoveryKeeper();  // waits for a write in flight
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // After any input or command.
  void changed(Clock::time_point now);
  // The timer: starts a write when changes wait and the interval has
  // passed since the first of them or the last copy. True when it did.
  bool tick(Clock::time_point now);
  // The map closed without saving: its copy goes.
  void dropCopy();
  // A restored copy is this map's copy from now on.
  void adopt(const std::string& copyPath, const std::string& mapPath);
  // Waits for the write in flight, if any.
  void finishWrite();

  // The copy on disk, empty when there is none.
  const std::string& copyPath() const { return copyPath_; }
  const std::optional<WriteFailure>& lastFailure() const { return lastFailure_; }
  void setInterval(std::chrono::milliseconds interval) { options_.interval = interval; }

 private:
  struct Written {
    std::string copyPath;
    std::optional<WriteFailure> failure;
    std::unique_ptr<RecoverySnapshot> snapshot;  // for the next copy, its memory already mapped
  };
  void collect(Written written);

  EditorSession& session_;
  RecoveryOptions options_;
  std::future<Written> inFlight_;
  std::unique_ptr<RecoverySnapshot> spare_;
  std::string copyPath_;
  std::string mapPath_;  // the map path the copy belongs to
  bool pending_ = false;
  Clock::time_point since_{};
  std::optional<WriteFailure> lastFailure_;
};

}  // namespace qarto
