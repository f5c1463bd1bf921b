#include "app/frame/recovery_timer.h"

#include <QGuiApplication>
#include <QTimer>
#include <unistd.h>

#include <ctime>

#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/recovery/recovery_offer.h"
#include "io/recovery/recovery_copies.h"

namespace qarto {

namespace {

// The timer only looks; the keeper decides when a copy is due.
constexpr int kTickMs = 1000;

}  // namespace

RecoveryTimer::RecoveryTimer(MapViewEngine& engine, EditorCommands& commands, QObject* parent)
    : QObject(parent), engine_(engine), commands_(commands) {
  RecoveryOptions options;
  options.folder = recoveryFolder();
  options.processId = static_cast<int>(::getpid());
  keeper_ = std::make_unique<RecoveryKeeper>(engine_.session(), std::move(options));
  timer_ = new QTimer(this);
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, [this] { keeper_->tick(RecoveryKeeper::Clock::now()); });
  timer_->start();
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) checkDisk();
  });
}

RecoveryTimer::~RecoveryTimer() = default;

void RecoveryTimer::changed() { keeper_->changed(RecoveryKeeper::Clock::now()); }

void RecoveryTimer::closed() { keeper_->dropCopy(); }

bool RecoveryTimer::offerCopies() {
  const bool restored = offerRecoveryCopies(engine_.session(), recoveryFolder(), std::time(nullptr),
                                            commands_.mapFileHooks(), keeper_.get());
  if (restored) emit mapReplaced();
  return restored;
}

void RecoveryTimer::checkDisk() {
  // The question's own box takes and gives back the focus.
  if (checking_) return;
  checking_ = true;
  if (commands_.diskWatch().checkOnFocus(engine_.session(), commands_.mapFileHooks())) emit mapReplaced();
  checking_ = false;
}

void RecoveryTimer::setInterval(std::chrono::milliseconds interval) {
  keeper_->setInterval(interval);
  timer_->setInterval(std::max(10, static_cast<int>(interval.count() / 4)));
}

}  // namespace qarto
