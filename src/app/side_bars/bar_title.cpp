#include "app/side_bars/bar_title.h"

#include <QPainter>

namespace qarto {

namespace {

constexpr int kTitleHeight = 14;

}  // namespace

BarTitle::BarTitle(const QString& text, int width, QWidget* parent) : QWidget(parent), text_(text), width_(width) {
  setFixedHeight(kTitleHeight);
}

QSize BarTitle::sizeHint() const { return {width_, kTitleHeight}; }

QSize BarTitle::minimumSizeHint() const { return {0, kTitleHeight}; }

void BarTitle::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect().adjusted(0, 0, -3, 0), QColor(0, 80, 234));
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPixelSize(10);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(rect().adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text_.trimmed());
}

}  // namespace qarto
