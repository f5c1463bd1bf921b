#include "app/dialogs/export/export_to_header_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

#include "app/dialogs/customize_export/customize_export_dialog.h"
#include "app/dialogs/dialog_support.h"

namespace qarto {

namespace {

QPushButton* smallButton(const QString& text, const char* objectName) {
  auto* button = new QPushButton(text);
  button->setObjectName(objectName);
  button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  return button;
}

QLabel* valueLabel(const char* objectName) {
  auto* label = new QLabel;
  label->setObjectName(objectName);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("-100%")) + 4);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

}  // namespace

ExportToHeaderDialog::ExportToHeaderDialog(PlatformServices& services, SettingsStore& settings,
                                           const char* captionSuffix, QWidget* parent, const std::string& mapPath)
    : QDialog(parent),
      services_(services),
      settings_(settings),
      path_(new QLineEdit),
      tileOffset_(new QLineEdit),
      bank_(slider("bankOffset", kMaxBankOffset, 1)),
      saturation_(slider("saturation", kMaxShiftPosition, 25)),
      luminance_(slider("luminance", kMaxShiftPosition, 25)),
      bankLabel_(valueLabel("bankOffsetValue")),
      saturationLabel_(valueLabel("saturationValue")),
      luminanceLabel_(valueLabel("luminanceValue")),
      screenBlocks_(new QCheckBox(QStringLiteral("Map arrays as 32x32 screen blocks"))),
      lz77_(new QCheckBox(QStringLiteral("Compress arrays (GBA BIOS LZ77)"))),
      preset_(new QComboBox) {
  setUpDialogWindow(*this, captionSuffix);
  path_->setObjectName("exportPath");
  path_->setMinimumWidth(300);
  tileOffset_->setObjectName("tileOffset");
  tileOffset_->setFixedWidth(80);
  tileOffset_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), tileOffset_));

  QPushButton* browse = smallButton(QStringLiteral("..."), "browse");
  QPushButton* tileHelp = smallButton(QStringLiteral("?"), "tileOffsetHelp");
  QPushButton* bankHelp = smallButton(QStringLiteral("?"), "bankOffsetHelp");
  auto* reset = new QPushButton(QStringLiteral("Reset"));
  reset->setObjectName("reset");
  auto* customize = new QPushButton(QStringLiteral("Customize Export"));
  customize->setObjectName("customizeExport");

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Export Path:")), 0, 0);
  grid->addWidget(path_, 0, 1, 1, 2);
  grid->addWidget(browse, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("Tile Index Offset:")), 1, 0);
  grid->addWidget(tileOffset_, 1, 1, Qt::AlignLeft);
  grid->addWidget(tileHelp, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Bank Offset:")), 2, 0);
  grid->addWidget(bank_, 2, 1);
  grid->addWidget(bankLabel_, 2, 2);
  grid->addWidget(bankHelp, 2, 3);
  grid->addWidget(new QLabel(QStringLiteral("Saturation:")), 3, 0);
  grid->addWidget(saturation_, 3, 1);
  grid->addWidget(saturationLabel_, 3, 2);
  grid->addWidget(new QLabel(QStringLiteral("Luminance:")), 4, 0);
  grid->addWidget(luminance_, 4, 1);
  grid->addWidget(luminanceLabel_, 4, 2);
  grid->addWidget(reset, 4, 3);
  screenBlocks_->setObjectName("screenBlocks");
  lz77_->setObjectName("lz77");
  preset_->setObjectName("preset");
  for (const ExportPreset preset : allPresets()) preset_->addItem(QString::fromUtf8(presetName(preset)));
  grid->addWidget(screenBlocks_, 5, 1, 1, 2);
  grid->addWidget(lz77_, 6, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Preset:")), 7, 0);
  grid->addWidget(preset_, 7, 1, Qt::AlignLeft);
  grid->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->addButton(customize, QDialogButtonBox::ResetRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &ExportToHeaderDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(bank_, &QSlider::valueChanged, this, [this](int v) { bankLabel_->setText(qs(bankOffsetLabel(v))); });
  connect(saturation_, &QSlider::valueChanged, this,
          [this](int v) { saturationLabel_->setText(qs(shiftLabel(v))); });
  connect(luminance_, &QSlider::valueChanged, this, [this](int v) { luminanceLabel_->setText(qs(shiftLabel(v))); });
  connect(browse, &QPushButton::clicked, this, [this] {
    ExportToHeaderValues current = values();
    if (chooseExportFolder(services_, settings_, current)) path_->setText(qs(current.exportPath));
  });
  connect(tileHelp, &QPushButton::clicked, this, [this] { showTileOffsetHelp(services_); });
  connect(bankHelp, &QPushButton::clicked, this, [this] { showBankOffsetHelp(services_); });
  connect(reset, &QPushButton::clicked, this, [this] {
    ExportToHeaderValues current = values();
    resetShifts(current);
    fill(current);
  });
  connect(customize, &QPushButton::clicked, this, &ExportToHeaderDialog::customizeExport);

  fill(loadExportToHeader(settings_, mapPath));
}

QSlider* ExportToHeaderDialog::slider(const char* objectName, int maximum, int tickInterval) {
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setObjectName(objectName);
  slider->setRange(0, maximum);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(tickInterval);
  slider->setMinimumWidth(200);
  return slider;
}

void ExportToHeaderDialog::fill(const ExportToHeaderValues& values) {
  path_->setText(qs(values.exportPath));
  tileOffset_->setText(qs(values.tileOffsetText));
  bank_->setValue(values.bankOffset);
  saturation_->setValue(values.saturation);
  luminance_->setValue(values.luminance);
  // The labels follow the sliders, also where a value did not change.
  bankLabel_->setText(qs(bankOffsetLabel(values.bankOffset)));
  saturationLabel_->setText(qs(shiftLabel(values.saturation)));
  luminanceLabel_->setText(qs(shiftLabel(values.luminance)));
  screenBlocks_->setChecked(values.screenBlocks);
  lz77_->setChecked(values.lz77);
  preset_->setCurrentIndex(static_cast<int>(values.preset));
}

ExportToHeaderValues ExportToHeaderDialog::values() const {
  ExportToHeaderValues values;
  values.exportPath = ss(path_->text());
  values.tileOffsetText = ss(tileOffset_->text());
  values.bankOffset = bank_->value();
  values.saturation = saturation_->value();
  values.luminance = luminance_->value();
  values.screenBlocks = screenBlocks_->isChecked();
  values.lz77 = lz77_->isChecked();
  values.preset = allPresets()[static_cast<std::size_t>(std::max(0, preset_->currentIndex()))];
  return values;
}

void ExportToHeaderDialog::customizeExport() {
  CustomizeExportDialog dialog(services_, settings_, programDirectory(), this);
  dialog.exec();
}

void ExportToHeaderDialog::accept() {
  const std::optional<ExportOptions> options = acceptExportToHeader(services_, settings_, values());
  if (!options) return;  // refused: the user may correct the offset
  options_ = *options;
  QDialog::accept();
}

}  // namespace qarto
