#pragma once

#include <QPushButton>

#include <cstdint>

namespace qarto {

class PlatformServices;

// A button that shows its colour as a filled, sunken rectangle. A click
// opens the colour chooser with the colour preselected; a chosen colour
// becomes the button's (nothing is stored until the dialog's OK).
class ColourButton : public QPushButton {
  Q_OBJECT
 public:
  // `title` names the colour in the chooser.
  ColourButton(PlatformServices& services, const QString& title, QWidget* parent = nullptr);

  // 0x00BBGGRR, as the settings keep colours.
  std::uint32_t colour() const { return colour_; }
  void setColour(std::uint32_t colour);
  QSize sizeHint() const override { return {48, 22}; }

 signals:
  void colourChanged(std::uint32_t colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void choose();

  PlatformServices& services_;
  QString title_;
  std::uint32_t colour_ = 0;
};

// 0x00BBGGRR and QColor.
QColor colourFromStored(std::uint32_t stored);
std::uint32_t storedFromColour(const QColor& colour);

}  // namespace qarto
