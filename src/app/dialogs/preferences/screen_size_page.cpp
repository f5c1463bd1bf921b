#include "app/dialogs/preferences/screen_size_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"

namespace qarto {

ScreenSizePage::ScreenSizePage(QWidget* parent) : QWidget(parent), width_(new QLineEdit), height_(new QLineEdit) {
  width_->setObjectName("screenWidth");
  height_->setObjectName("screenHeight");
  width_->setFixedWidth(80);
  height_->setFixedWidth(80);
  auto* group = new QGroupBox(QStringLiteral("Target Hardware Screen Size"));
  auto* form = new QFormLayout(group);
  form->addRow(QStringLiteral("Width in Pixels"), width_);
  form->addRow(QStringLiteral("Height in Pixels"), height_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addStretch(1);
}

void ScreenSizePage::load(const PreferencesValues& values) {
  width_->setText(qs(values.screenWidthText));
  height_->setText(qs(values.screenHeightText));
}

void ScreenSizePage::store(PreferencesValues& values) const {
  values.screenWidthText = ss(width_->text());
  values.screenHeightText = ss(height_->text());
}

}  // namespace qarto
