#include "app/dialogs/controls/bold_label.h"

namespace qarto {

BoldLabel::BoldLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
}

}  // namespace qarto
