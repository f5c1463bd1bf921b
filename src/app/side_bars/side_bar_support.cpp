#include "app/side_bars/side_bar_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDockWidget>

#include "app/side_bars/bar_title.h"

namespace qarto {

void setUpSideBar(QDockWidget& bar) {
  bar.setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  bar.setFeatures(QDockWidget::DockWidgetMovable);
  bar.setTitleBarWidget(new BarTitle(bar.windowTitle(), kSideBarWidth, &bar));
}

QComboBox* namedCombo(const char* objectName, const std::vector<std::string>& names) {
  auto* combo = new QComboBox;
  combo->setObjectName(QString::fromLatin1(objectName));
  for (const std::string& name : names) combo->addItem(QString::fromStdString(name));
  return combo;
}

void showIndex(QComboBox& combo, int index) {
  if (combo.currentIndex() == index) return;
  const QSignalBlocker quiet(&combo);
  combo.setCurrentIndex(index);
}

void showChecked(QAbstractButton& button, bool on) {
  if (button.isChecked() == on) return;
  const QSignalBlocker quiet(&button);
  button.setChecked(on);
}

}  // namespace qarto
