#include "app/dialogs/controls/colour_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include "model/platform_services.h"

namespace qarto {

QColor colourFromStored(std::uint32_t stored) {
  return QColor(static_cast<int>(stored & 0xFF), static_cast<int>((stored >> 8) & 0xFF),
                static_cast<int>((stored >> 16) & 0xFF));
}

std::uint32_t storedFromColour(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
         static_cast<std::uint32_t>(colour.blue()) << 16;
}

ColourButton::ColourButton(PlatformServices& services, const QString& title, QWidget* parent)
    : QPushButton(parent), services_(services), title_(title) {
  setAccessibleName(title);
  setToolTip(title);
  connect(this, &QPushButton::clicked, this, &ColourButton::choose);
}

void ColourButton::setColour(std::uint32_t colour) {
  colour &= 0x00FFFFFF;
  if (colour == colour_) return;
  colour_ = colour;
  update();
  emit colourChanged(colour_);
}

void ColourButton::choose() {
  if (const std::optional<std::uint32_t> chosen = services_.chooseColour(title_.toStdString(), colour_)) {
    setColour(*chosen);
  }
}

void ColourButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionButton button;
  initStyleOption(&button);
  style()->drawControl(QStyle::CE_PushButtonBevel, &button, &painter, this);

  // The colour well: a sunken frame filled with the colour.
  const QRect well = rect().adjusted(5, 5, -5, -5);
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.rect = well;
  frame.state |= QStyle::State_Sunken;
  frame.lineWidth = 1;
  frame.midLineWidth = 0;
  painter.fillRect(well.adjusted(1, 1, -1, -1), isEnabled() ? colourFromStored(colour_) : palette().window().color());
  style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(well.adjusted(0, 0, -1, -1));
}

}  // namespace qarto
