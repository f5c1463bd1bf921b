#pragma once

#include <QWidget>

class QStackedWidget;
class QTabBar;

namespace qarto {

// Tabs over a stack of child pages: selecting a tab shows its page and
// hides the others. The first page added is shown.
class TabHost : public QWidget {
  Q_OBJECT
 public:
  explicit TabHost(QWidget* parent = nullptr);

  // The host takes the page; returns its tab index.
  int addPage(QWidget* page, const QString& label, const QIcon& icon = QIcon());
  int count() const;
  int currentIndex() const;
  void setCurrentIndex(int index);
  QWidget* page(int index) const;
  QString tabText(int index) const;
  QTabBar* tabBar() const { return tabs_; }

 signals:
  void currentChanged(int index);

 private:
  QTabBar* tabs_;
  QStackedWidget* pages_;
};

}  // namespace qarto
