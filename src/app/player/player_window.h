#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace qarto {

class MapPlayer;

// The built-in player of Run Map: shows the frames of a map ROM running in
// the emulator at 60 frames a second, scaled 2x to 4x (keys 2, 3, 4, or
// the window's size). Arrow keys are the d-pad, X is B (faster), Z is A,
// Enter is Start; Escape closes the window. It only shows frames: what is
// played was decided before it opened.
class PlayerWindow : public QWidget {
  Q_OBJECT
 public:
  PlayerWindow(std::unique_ptr<MapPlayer> player, const QString& title, QWidget* parent = nullptr);
  ~PlayerWindow() override;

  int scale() const { return scale_; }
  int framesShown() const { return framesShown_; }
  const MapPlayer& player() const { return *player_; }
  const QImage& frame() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void tick();
  void setScale(int scale);
  static std::uint32_t gbaKey(int qtKey);

  std::unique_ptr<MapPlayer> player_;
  QTimer timer_;
  QElapsedTimer clock_;
  QImage image_;
  std::uint32_t keys_ = 0;
  long long framesRun_ = 0;
  int framesShown_ = 0;
  int scale_ = 3;
};

}  // namespace qarto
