#include "app/dialogs/layers/shift_layer_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"

namespace qarto {

namespace {

QPushButton* stepButton(const QString& text, const QString& objectName) {
  auto* button = new QPushButton(text);
  button->setObjectName(objectName);
  button->setAutoRepeat(true);
  button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("<<")) + 16);
  return button;
}

QLineEdit* shiftBox(const char* objectName) {
  auto* box = new QLineEdit(QStringLiteral("0"));
  box->setObjectName(objectName);
  box->setReadOnly(true);
  box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-00000")) + 12);
  box->setAlignment(Qt::AlignRight);
  return box;
}

}  // namespace

ShiftLayerDialog::ShiftLayerDialog(EditorSession& session, QWidget* parent)
    : QDialog(parent),
      model_(session),
      horizontal_(slider("horizontal")),
      vertical_(slider("vertical")),
      horizontalShift_(shiftBox("horizontalShift")),
      verticalShift_(shiftBox("verticalShift")),
      wrapHorizontally_(new QCheckBox(QStringLiteral("Wrap data horizontally"))),
      wrapVertically_(new QCheckBox(QStringLiteral("Wrap data vertically"))) {
  setUpDialogWindowTitled(*this, model_.title());
  wrapHorizontally_->setObjectName("wrapHorizontally");
  wrapVertically_->setObjectName("wrapVertically");

  auto* grid = new QGridLayout;
  // The label reads as the program has always spelt it.
  grid->addWidget(new QLabel(QStringLiteral("Horzontal Shift")), 0, 0, 1, 4);
  grid->addWidget(stepButton(QStringLiteral("<"), "horizontalLess"), 1, 0);
  grid->addWidget(horizontal_, 1, 1);
  grid->addWidget(stepButton(QStringLiteral(">"), "horizontalMore"), 1, 2);
  grid->addWidget(horizontalShift_, 1, 3);
  grid->addWidget(wrapHorizontally_, 2, 1, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Vertical Shift")), 3, 0, 1, 4);
  grid->addWidget(stepButton(QStringLiteral("<"), "verticalLess"), 4, 0);
  grid->addWidget(vertical_, 4, 1);
  grid->addWidget(stepButton(QStringLiteral(">"), "verticalMore"), 4, 2);
  grid->addWidget(verticalShift_, 4, 3);
  grid->addWidget(wrapVertically_, 5, 1, 1, 3);
  grid->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* reset = buttons->addButton(QStringLiteral("Reset"), QDialogButtonBox::ResetRole);
  reset->setObjectName("reset");
  connect(buttons, &QDialogButtonBox::accepted, this, &ShiftLayerDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ShiftLayerDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto change = [this](auto apply) {
    return [this, apply](auto... value) {
      if (showing_ || !model_.isOpen()) return;
      apply(value...);
      showModel();
      emit previewChanged();
    };
  };
  connect(horizontal_, &QSlider::valueChanged, this, change([this](int v) { model_.setHorizontalPosition(v); }));
  connect(vertical_, &QSlider::valueChanged, this, change([this](int v) { model_.setVerticalPosition(v); }));
  connect(wrapHorizontally_, &QCheckBox::toggled, this, change([this](bool on) { model_.setWrapHorizontally(on); }));
  connect(wrapVertically_, &QCheckBox::toggled, this, change([this](bool on) { model_.setWrapVertically(on); }));
  connect(findChild<QPushButton*>("horizontalLess"), &QPushButton::clicked, this,
          change([this](bool) { model_.stepHorizontal(-1); }));
  connect(findChild<QPushButton*>("horizontalMore"), &QPushButton::clicked, this,
          change([this](bool) { model_.stepHorizontal(1); }));
  connect(findChild<QPushButton*>("verticalLess"), &QPushButton::clicked, this,
          change([this](bool) { model_.stepVertical(-1); }));
  connect(findChild<QPushButton*>("verticalMore"), &QPushButton::clicked, this,
          change([this](bool) { model_.stepVertical(1); }));
  connect(reset, &QPushButton::clicked, this, change([this](bool) { model_.reset(); }));
}

QSlider* ShiftLayerDialog::slider(const char* objectName) {
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setObjectName(objectName);
  slider->setMinimumWidth(240);
  return slider;
}

bool ShiftLayerDialog::begin() {
  if (!model_.begin()) return false;
  showModel();
  return true;
}

void ShiftLayerDialog::showModel() {
  showing_ = true;
  horizontal_->setRange(0, model_.horizontalMaximum());
  horizontal_->setPageStep(std::max(1, model_.horizontalPageSize()));
  horizontal_->setValue(model_.horizontalPosition());
  vertical_->setRange(0, model_.verticalMaximum());
  vertical_->setPageStep(std::max(1, model_.verticalPageSize()));
  vertical_->setValue(model_.verticalPosition());
  wrapHorizontally_->setChecked(model_.wrapHorizontally());
  wrapVertically_->setChecked(model_.wrapVertically());
  horizontalShift_->setText(qs(model_.horizontalShiftText()));
  verticalShift_->setText(qs(model_.verticalShiftText()));
  showing_ = false;
}

void ShiftLayerDialog::accept() {
  model_.confirm();
  emit previewChanged();
  QDialog::accept();
}

void ShiftLayerDialog::reject() {
  model_.cancel();
  emit previewChanged();
  QDialog::reject();
}

}  // namespace qarto
