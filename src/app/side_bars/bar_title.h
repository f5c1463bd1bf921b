#pragma once

#include <QWidget>

namespace qarto {

// The blue strip across the top of a docked bar, with the bar's name. The
// dock lays its title out by the size hint: a plain widget hints none, and
// the strip got no height at all.
class BarTitle : public QWidget {
 public:
  BarTitle(const QString& text, int width, QWidget* parent);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  int width_;
};

}  // namespace qarto
