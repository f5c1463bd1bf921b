#include "app/dialogs/controls/tab_host.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace qarto {

TabHost::TabHost(QWidget* parent) : QWidget(parent), tabs_(new QTabBar(this)), pages_(new QStackedWidget(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tabs_->setDrawBase(true);
  tabs_->setExpanding(false);
  layout->addWidget(tabs_);
  pages_->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(pages_, 1);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    pages_->setCurrentIndex(index);
    emit currentChanged(index);
  });
}

int TabHost::addPage(QWidget* page, const QString& label, const QIcon& icon) {
  pages_->addWidget(page);
  return tabs_->addTab(icon, label);
}

int TabHost::count() const { return tabs_->count(); }
int TabHost::currentIndex() const { return tabs_->currentIndex(); }
void TabHost::setCurrentIndex(int index) { tabs_->setCurrentIndex(index); }
QWidget* TabHost::page(int index) const { return pages_->widget(index); }
QString TabHost::tabText(int index) const { return tabs_->tabText(index); }

}  // namespace qarto
