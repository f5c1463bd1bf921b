#include "app/dialogs/validate_tileset_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"

namespace qarto {

ValidateTilesetDialog::ValidateTilesetDialog(PlatformServices& services, SettingsStore& settings, QWidget* parent)
    : QDialog(parent),
      services_(services),
      settings_(settings),
      path_(new QLineEdit),
      textReport_(new QRadioButton(QStringLiteral("Show simple text report"))),
      outputImage_(new QRadioButton(QStringLiteral("Output image"))),
      invalid16_(new QCheckBox(QStringLiteral("Invalid 16 colour tile"))),
      sparse_(new QCheckBox(QStringLiteral("Tile contains"))),
      threshold_(new QLineEdit(QStringLiteral("1"))) {
  setUpDialogWindow(*this, kValidateTilesetCaptionSuffix);
  path_->setObjectName("path");
  path_->setMinimumWidth(300);
  textReport_->setObjectName("textReport");
  outputImage_->setObjectName("outputImage");
  invalid16_->setObjectName("invalid16");
  sparse_->setObjectName("sparse");
  threshold_->setObjectName("threshold");
  threshold_->setFixedWidth(50);

  auto* browse = new QPushButton(QStringLiteral("..."));
  browse->setObjectName("browse");
  browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  auto* tileset = new QGroupBox(QStringLiteral("Tileset"));
  auto* tilesetRow = new QHBoxLayout(tileset);
  tilesetRow->addWidget(path_, 1);
  tilesetRow->addWidget(browse);

  auto* report = new QGroupBox(QStringLiteral("Error Report Generation"));
  auto* reportColumn = new QVBoxLayout(report);
  reportColumn->addWidget(textReport_);
  reportColumn->addWidget(outputImage_);

  auto* errors = new QGroupBox(QStringLiteral("Generate Error When..."));
  auto* errorGrid = new QGridLayout(errors);
  errorGrid->addWidget(invalid16_, 0, 0, 1, 3);
  errorGrid->addWidget(sparse_, 1, 0);
  errorGrid->addWidget(threshold_, 1, 1);
  errorGrid->addWidget(new QLabel(QStringLiteral("less non-transparent pixels")), 1, 2);
  errorGrid->setColumnStretch(2, 1);

  auto* validateButton = new QPushButton(QStringLiteral("Validate"));
  validateButton->setObjectName("validate");
  validateButton->setDefault(true);
  auto* closeButton = new QPushButton(QStringLiteral("Close"));
  closeButton->setObjectName("close");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(validateButton);
  buttons->addWidget(closeButton);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tileset);
  layout->addWidget(report);
  layout->addWidget(errors);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  textReport_->setChecked(true);
  invalid16_->setChecked(true);
  threshold_->setEnabled(false);
  connect(sparse_, &QCheckBox::toggled, threshold_, &QLineEdit::setEnabled);
  connect(browse, &QPushButton::clicked, this, [this] {
    if (std::optional<std::string> chosen = chooseTilesetToValidate(services_, settings_)) path_->setText(qs(*chosen));
  });
  connect(validateButton, &QPushButton::clicked, this, [this] { validate(); });
  connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

ValidateTilesetRequest ValidateTilesetDialog::request() const {
  ValidateTilesetRequest request;
  request.path = ss(path_->text());
  request.checkInvalid16 = invalid16_->isChecked();
  request.checkSparse = sparse_->isChecked();
  request.thresholdText = ss(threshold_->text());
  request.outputImage = outputImage_->isChecked();
  return request;
}

ValidationOutcome ValidateTilesetDialog::validate() {
  const ValidateTilesetRequest asked = request();
  std::vector<int> faulty;
  const ValidationOutcome outcome = validateTileset(services_, settings_, asked, &faulty);
  if (faultsFound) faultsFound(asked.path, faulty);
  return outcome;
}

}  // namespace qarto
