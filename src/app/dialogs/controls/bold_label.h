#pragma once

#include <QLabel>

namespace qarto {

// A label in the bold variant of the dialog font.
class BoldLabel : public QLabel {
  Q_OBJECT
 public:
  explicit BoldLabel(const QString& text, QWidget* parent = nullptr);
};

}  // namespace qarto
