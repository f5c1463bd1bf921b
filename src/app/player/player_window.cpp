#include "app/player/player_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "emulator/gba_runner_api.h"
#include "emulator/map_player.h"

namespace qarto {

namespace {

constexpr int kWidth = QARTO_GBA_SCREEN_WIDTH;
constexpr int kHeight = QARTO_GBA_SCREEN_HEIGHT;
constexpr int kFramesPerSecond = 60;
// After a stall (a dragged window, a busy machine) the player skips ahead
// instead of racing through the frames it missed.
constexpr long long kMostFramesPerTick = 4;

}  // namespace

PlayerWindow::PlayerWindow(std::unique_ptr<MapPlayer> player, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window), player_(std::move(player)), image_(kWidth, kHeight, QImage::Format_RGBX8888) {
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(2 * kWidth, 2 * kHeight);
  resize(scale_ * kWidth, scale_ * kHeight);
  image_.fill(Qt::black);
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(1000 / kFramesPerSecond / 2);
  connect(&timer_, &QTimer::timeout, this, &PlayerWindow::tick);
  clock_.start();
  timer_.start();
}

PlayerWindow::~PlayerWindow() = default;

void PlayerWindow::tick() {
  const long long due = clock_.elapsed() * kFramesPerSecond / 1000;
  if (due <= framesRun_) return;
  const long long run = std::min(due - framesRun_, kMostFramesPerTick);
  for (long long i = 0; i < run; ++i) player_->step(keys_);
  framesRun_ = due;
  // The emulator's pixels are 0x00BBGGRR: red, green, blue, unused in memory.
  std::memcpy(image_.bits(), player_->frame().data(), static_cast<std::size_t>(kWidth) * kHeight * 4);
  ++framesShown_;
  update();
}

void PlayerWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const QSize size(kWidth * scale_, kHeight * scale_);
  const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
  painter.drawImage(target, image_);  // whole multiples: no smoothing needed
}

void PlayerWindow::resizeEvent(QResizeEvent*) {
  scale_ = std::clamp(std::min(width() / kWidth, height() / kHeight), 2, 4);
}

void PlayerWindow::setScale(int scale) {
  scale_ = scale;
  resize(scale * kWidth, scale * kHeight);
  update();
}

std::uint32_t PlayerWindow::gbaKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Right:
      return QARTO_GBA_KEY_RIGHT;
    case Qt::Key_Left:
      return QARTO_GBA_KEY_LEFT;
    case Qt::Key_Up:
      return QARTO_GBA_KEY_UP;
    case Qt::Key_Down:
      return QARTO_GBA_KEY_DOWN;
    case Qt::Key_X:
      return QARTO_GBA_KEY_B;
    case Qt::Key_Z:
      return QARTO_GBA_KEY_A;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return QARTO_GBA_KEY_START;
    default:
      return 0;
  }
}

void PlayerWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  if (event->key() >= Qt::Key_2 && event->key() <= Qt::Key_4) {
    setScale(event->key() - Qt::Key_0);
    return;
  }
  const std::uint32_t key = gbaKey(event->key());
  if (key == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  keys_ |= key;
}

void PlayerWindow::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  keys_ &= ~gbaKey(event->key());
}

void PlayerWindow::focusOutEvent(QFocusEvent* event) {
  keys_ = 0;  // a key released in another window never comes back here
  QWidget::focusOutEvent(event);
}

}  // namespace qarto
