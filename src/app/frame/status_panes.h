#pragma once

#include <QStatusBar>

class QLabel;

namespace qarto {

// The frame's status bar: pane 0 stretches and shows the prompt of the item
// under the mouse or "Ready"; pane 1 (170 pixels, wider when the font
// needs it for the longest text) the paint lock; pane 2
// (70 pixels) the cell under the mouse. Panes 1 and 2 stay blank until
// their first text.
class StatusPanes : public QStatusBar {
  Q_OBJECT

 public:
  explicit StatusPanes(QWidget* parent = nullptr);

  void setPaneText(int pane, const QString& text);
  // Pane 0 reads the prompt shown, or "Ready".
  QString paneText(int pane) const;

 private:
  QLabel* panes_[3] = {};
};

}  // namespace qarto
