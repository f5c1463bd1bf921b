#pragma once

#include <QAbstractButton>
#include <QIcon>

namespace qarto {

// A flat check button that shows one icon while on and another while off
// (an eye open or shut, a lock closed or open).
class IconToggleButton : public QAbstractButton {
  Q_OBJECT
 public:
  IconToggleButton(const QIcon& onIcon, const QIcon& offIcon, QWidget* parent = nullptr);

  // The icon the button shows now.
  const QIcon& currentIcon() const { return isChecked() ? onIcon_ : offIcon_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QIcon onIcon_;
  QIcon offIcon_;
};

}  // namespace qarto
