#pragma once

#include <QObject>
#include <memory>

#include "edit/recovery/recovery_keeper.h"

class QTimer;

namespace qarto {

class EditorCommands;
class MapViewEngine;

// The window's side of never losing work: the timer that lets the keeper
// write recovery copies, the start-up offer of the copies a crash left, and
// the changed-on-disk check whenever the editor becomes the active
// application again.
class RecoveryTimer : public QObject {
  Q_OBJECT

 public:
  RecoveryTimer(MapViewEngine& engine, EditorCommands& commands, QObject* parent);
  ~RecoveryTimer() override;

  RecoveryKeeper& keeper() { return *keeper_; }
  // After every input and command.
  void changed();
  // The window closed: a map left unsaved by the user's word loses its copy.
  void closed();
  // Asks about the copies in the recovery folder; true when one was restored.
  bool offerCopies();
  // The changed-on-disk question; the window calls it on regaining focus.
  void checkDisk();
  // Writes sooner, for tests; the keeper's interval.
  void setInterval(std::chrono::milliseconds interval);

 signals:
  // The map on screen changed under the window (a reload).
  void mapReplaced();

 private:
  MapViewEngine& engine_;
  EditorCommands& commands_;
  std::unique_ptr<RecoveryKeeper> keeper_;
  QTimer* timer_ = nullptr;
  bool checking_ = false;
};

}  // namespace qarto
