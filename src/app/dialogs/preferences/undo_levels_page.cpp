#include "app/dialogs/preferences/undo_levels_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"

namespace qarto {

UndoLevelsPage::UndoLevelsPage(PlatformServices& services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      unlimited_(new QCheckBox(QStringLiteral("Unlimited"))),
      slider_(new QSlider(Qt::Horizontal)),
      value_(new QLabel),
      classicKeys_(new QCheckBox(qs(kClassicKeysLabel))) {
  unlimited_->setObjectName("unlimited");
  slider_->setObjectName("undoSlider");
  value_->setObjectName("undoValue");
  slider_->setRange(0, kMaxUndoPosition);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setTickInterval(1);
  slider_->setPageStep(1);
  slider_->setMinimumWidth(180);
  value_->setMinimumWidth(value_->fontMetrics().horizontalAdvance(QStringLiteral("000")));

  auto* group = new QGroupBox(QStringLiteral("Undo Buffer Size"));
  auto* row = new QHBoxLayout;
  row->addWidget(slider_, 1);
  row->addWidget(value_);
  auto* inner = new QVBoxLayout(group);
  inner->addWidget(unlimited_);
  inner->addLayout(row);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  // Not about undo, but this first page is the general one.
  classicKeys_->setObjectName("classicKeys");
  classicKeys_->setToolTip(qs(kClassicKeysTip));
  auto* keys = new QGroupBox(QStringLiteral("Keys"));
  (new QVBoxLayout(keys))->addWidget(classicKeys_);
  layout->addWidget(keys);
  layout->addStretch(1);

  connect(slider_, &QSlider::valueChanged, this, [this](int position) { value_->setText(qs(undoLevelsLabel(position))); });
  // Only a click by the user asks; load() sets the box quietly.
  connect(unlimited_, &QCheckBox::clicked, this, &UndoLevelsPage::unlimitedClicked);
}

void UndoLevelsPage::unlimitedClicked(bool checked) {
  if (checked && !confirmUnlimitedUndo(services_)) {
    unlimited_->setChecked(false);
    checked = false;
  }
  showUnlimited(checked);
}

void UndoLevelsPage::showUnlimited(bool unlimited) {
  slider_->setEnabled(!unlimited);
  value_->setEnabled(!unlimited);
}

void UndoLevelsPage::load(const PreferencesValues& values) {
  unlimited_->setChecked(values.unlimitedUndo);
  slider_->setValue(values.undoPosition);
  value_->setText(qs(undoLevelsLabel(values.undoPosition)));
  showUnlimited(values.unlimitedUndo);
  classicKeys_->setChecked(values.classicKeys);
}

void UndoLevelsPage::store(PreferencesValues& values) const {
  values.unlimitedUndo = unlimited_->isChecked();
  values.undoPosition = slider_->value();
  values.classicKeys = classicKeys_->isChecked();
}

}  // namespace qarto
