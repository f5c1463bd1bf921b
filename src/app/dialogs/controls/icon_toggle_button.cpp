#include "app/dialogs/controls/icon_toggle_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace qarto {

IconToggleButton::IconToggleButton(const QIcon& onIcon, const QIcon& offIcon, QWidget* parent)
    : QAbstractButton(parent), onIcon_(onIcon), offIcon_(offIcon) {
  setCheckable(true);
  setIconSize(QSize(16, 16));
  setFocusPolicy(Qt::TabFocus);
}

QSize IconToggleButton::sizeHint() const { return iconSize() + QSize(4, 4); }

void IconToggleButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  const QRect target = QRect(QPoint(0, 0), iconSize()).translated((width() - iconSize().width()) / 2,
                                                                  (height() - iconSize().height()) / 2);
  currentIcon().paint(&painter, target, Qt::AlignCenter, mode);
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

}  // namespace qarto
