#include "app/frame/status_panes.h"

#include <QLabel>
#include <algorithm>

#include "edit/tools/tool_state.h"

namespace qarto {

StatusPanes::StatusPanes(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("StatusBar"));
  setMinimumHeight(22);
  panes_[0] = new QLabel(QStringLiteral("Ready"), this);
  panes_[0]->setMinimumWidth(70);
  addWidget(panes_[0], 1);
  int widths[3] = {0, 170, 70};
  for (int pane = 1; pane <= 2; ++pane) {
    panes_[pane] = new QLabel(this);
    panes_[pane]->setFrameShape(QFrame::Panel);
    panes_[pane]->setFrameShadow(QFrame::Sunken);
  }
  // The paint-locking pane holds its longest text in whatever font the
  // desktop gives it.
  QLabel& lock = *panes_[1];
  for (const PaintLock mode : kPaintLocks) {
    lock.setText(QString::fromLatin1(paintLockText(mode)));
    widths[1] = std::max(widths[1], lock.sizeHint().width());
  }
  lock.clear();
  for (int pane = 1; pane <= 2; ++pane) {
    panes_[pane]->setFixedWidth(widths[pane]);
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
