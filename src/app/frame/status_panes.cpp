#include "app/frame/status_panes.h"

#include <QLabel>

namespace qarto {

StatusPanes::StatusPanes(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("StatusBar"));
  setMinimumHeight(22);
  panes_[0] = new QLabel(QStringLiteral("Ready"), this);
  panes_[0]->setMinimumWidth(70);
  addWidget(panes_[0], 1);
  const int widths[3] = {0, 170, 70};
  for (int pane = 1; pane <= 2; ++pane) {
    panes_[pane] = new QLabel(this);
    panes_[pane]->setFixedWidth(widths[pane]);
    panes_[pane]->setFrameShape(QFrame::Panel);
    panes_[pane]->setFrameShadow(QFrame::Sunken);
    addPermanentWidget(panes_[pane]);
  }
}

void StatusPanes::setPaneText(int pane, const QString& text) {
  if (pane < 0 || pane > 2) return;
  if (panes_[pane]->text() != text) panes_[pane]->setText(text);
}

QString StatusPanes::paneText(int pane) const {
  if (pane == 0 && !currentMessage().isEmpty()) return currentMessage();
  return pane >= 0 && pane <= 2 ? panes_[pane]->text() : QString();
}

}  // namespace qarto
