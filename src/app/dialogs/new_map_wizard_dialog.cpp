#include "app/dialogs/new_map_wizard_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/art/dialog_art.h"
#include "app/dialogs/dialog_support.h"
#include "edit/dialogs/new_map_tiles.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

template <std::size_t N>
QComboBox* unitList(const std::array<const char*, N>& names, const QString& objectName) {
  auto* list = new QComboBox;
  list->setObjectName(objectName);
  for (const char* name : names) list->addItem(QString::fromUtf8(name));
  return list;
}

QLineEdit* edit(const QString& objectName, int width = 0) {
  auto* line = new QLineEdit;
  line->setObjectName(objectName);
  if (width > 0) line->setFixedWidth(width);
  return line;
}

QLabel* icon(const QPixmap& pixmap, const QString& objectName) {
  auto* label = new QLabel;
  label->setObjectName(objectName);
  label->setPixmap(pixmap);
  return label;
}

constexpr int kAmountWidth = 70;

}  // namespace

NewMapWizardDialog::NewMapWizardDialog(EditorSession& session, MapFileHooks hooks, QWidget* parent)
    : QDialog(parent), session_(session), hooks_(std::move(hooks)) {
  setUpDialogWindow(*this, kNewMapWizardCaptionSuffix);

  unoptimized_ = new QCheckBox(QStringLiteral("Use un-optimized mode"));
  unoptimized_->setObjectName("unoptimizedMode");
  auto* help = new QPushButton(QStringLiteral("?"));
  help->setObjectName("unoptimizedHelp");
  help->setFixedWidth(help->fontMetrics().horizontalAdvance(QStringLiteral("??")) + 16);
  connect(help, &QPushButton::clicked, this, [this] { showUnoptimizedModeHelp(session_.services()); });
  auto* mode = new QHBoxLayout;
  mode->addWidget(unoptimized_);
  mode->addWidget(help);
  mode->addStretch(1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &NewMapWizardDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(primaryGroup());
  layout->addWidget(secondaryGroup());
  layout->addLayout(mode);
  layout->addWidget(tilesGroup());
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  fill(loadNewMapWizard(session_.settings()));
}

QWidget* NewMapWizardDialog::tilesGroup() {
  auto* group = new QGroupBox(QStringLiteral("Tiles (optional)"));
  auto* row = new QHBoxLayout(group);
  tilePage_ = edit("tilePage");
  auto* browse = new QPushButton(QStringLiteral("..."));
  browse->setObjectName("tilePageBrowse");
  connect(browse, &QPushButton::clicked, this, [this] {
    if (const std::optional<std::string> chosen = chooseNewMapTilePage(session_)) {
      tilePage_->setText(QString::fromStdString(*chosen));
    }
  });
  row->addWidget(new QLabel(QStringLiteral("Tile page")));
  row->addWidget(tilePage_, 1);
  row->addWidget(browse);
  return group;
}

QWidget* NewMapWizardDialog::primaryGroup() {
  auto* group = new QGroupBox(QStringLiteral("Primary Layer"));
  auto* grid = new QGridLayout(group);
  primaryName_ = edit("primaryName");
  width_ = edit("primaryWidth", kAmountWidth);
  height_ = edit("primaryHeight", kAmountWidth);
  widthUnit_ = unitList(kPrimaryUnitNames, "primaryWidthUnit");
  heightUnit_ = unitList(kPrimaryUnitNames, "primaryHeightUnit");
  collision_ = new QCheckBox(QStringLiteral("Has collision layer"));
  collision_->setObjectName("hasCollision");
  entity_ = new QCheckBox(QStringLiteral("Has entity layer"));
  entity_->setObjectName("hasEntity");

  grid->addWidget(new QLabel(QStringLiteral("Layer Name")), 0, 0);
  grid->addWidget(primaryName_, 0, 1, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("Size")), 1, 0);
  grid->addWidget(icon(widthSizeIcon(), "primaryWidthIcon"), 1, 1);
  grid->addWidget(width_, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Units")), 1, 3);
  grid->addWidget(widthUnit_, 1, 4);
  grid->addWidget(icon(heightSizeIcon(), "primaryHeightIcon"), 2, 1);
  grid->addWidget(height_, 2, 2);
  grid->addWidget(heightUnit_, 2, 4);
  grid->addWidget(collision_, 3, 0, 1, 5);
  grid->addWidget(entity_, 4, 0, 1, 5);
  grid->setColumnStretch(4, 1);
  return group;
}

QWidget* NewMapWizardDialog::secondaryGroup() {
  auto* group = new QGroupBox(QStringLiteral("Secondary Layers"));
  auto* grid = new QGridLayout(group);
  addSecondaryRow(*grid, 0, 2, secondary_[0]);
  addSecondaryRow(*grid, 3, 3, secondary_[1]);
  grid->setColumnStretch(5, 1);
  connect(secondary_[0].enable, &QCheckBox::toggled, this, &NewMapWizardDialog::layer2Toggled);
  connect(secondary_[1].enable, &QCheckBox::toggled, this,
          [this](bool enabled) { showLayerEnabled(secondary_[1], enabled); });
  return group;
}

void NewMapWizardDialog::addSecondaryRow(QGridLayout& grid, int row, int number, SecondaryRow& fields) {
  const QString prefix = QStringLiteral("layer%1").arg(number);
  fields.enable = new QCheckBox(QStringLiteral("Enable"));
  fields.enable->setObjectName(prefix + "Enable");
  fields.name = edit(prefix + "Name");
  fields.amountX = edit(prefix + "AmountX", kAmountWidth);
  fields.amountY = edit(prefix + "AmountY", kAmountWidth);
  fields.unitX = unitList(kSecondaryUnitNames, prefix + "UnitX");
  fields.unitY = unitList(kSecondaryUnitNames, prefix + "UnitY");
  auto* nameLabel = new QLabel(QStringLiteral("Layer Name"));
  auto* sizeLabel = new QLabel(QStringLiteral("Size"));
  auto* unitsLabel = new QLabel(QStringLiteral("Units"));
  QLabel* widthIcon = icon(widthSizeIcon(), prefix + "WidthIcon");
  QLabel* heightIcon = icon(heightSizeIcon(), prefix + "HeightIcon");
  // Keep the rows from jumping when the icons hide.
  for (QLabel* sizeIcon : {widthIcon, heightIcon}) {
    QSizePolicy policy = sizeIcon->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    sizeIcon->setSizePolicy(policy);
  }

  grid.addWidget(fields.enable, row, 0);
  grid.addWidget(nameLabel, row, 1);
  grid.addWidget(fields.name, row, 2, 1, 4);
  grid.addWidget(sizeLabel, row + 1, 1);
  grid.addWidget(widthIcon, row + 1, 2);
  grid.addWidget(fields.amountX, row + 1, 3);
  grid.addWidget(unitsLabel, row + 1, 4);
  grid.addWidget(fields.unitX, row + 1, 5);
  grid.addWidget(heightIcon, row + 2, 2);
  grid.addWidget(fields.amountY, row + 2, 3);
  grid.addWidget(fields.unitY, row + 2, 5);
  fields.group = {nameLabel, fields.name, fields.amountX, fields.amountY, sizeLabel, unitsLabel, fields.unitX,
                  fields.unitY};
  fields.icons = {widthIcon, heightIcon};
}

void NewMapWizardDialog::showLayerEnabled(SecondaryRow& fields, bool enabled) {
  for (QWidget* widget : fields.group) widget->setEnabled(enabled);
  for (QWidget* widget : fields.icons) widget->setVisible(enabled);
}

void NewMapWizardDialog::layer2Toggled(bool enabled) {
  showLayerEnabled(secondary_[0], enabled);
  if (!enabled) secondary_[1].enable->setChecked(false);
  secondary_[1].enable->setEnabled(enabled);
  showLayerEnabled(secondary_[1], secondary_[1].enable->isChecked());
}

void NewMapWizardDialog::fill(const NewMapWizardForm& form) {
  primaryName_->setText(qs(form.primaryName));
  width_->setText(qs(form.widthText));
  height_->setText(qs(form.heightText));
  widthUnit_->setCurrentIndex(form.widthUnit);
  heightUnit_->setCurrentIndex(form.heightUnit);
  collision_->setChecked(form.hasCollision);
  entity_->setChecked(form.hasEntity);
  for (std::size_t i = 0; i < secondary_.size(); ++i) {
    const SecondaryLayerEntry& entry = form.secondary[i];
    SecondaryRow& fields = secondary_[i];
    fields.name->setText(qs(entry.name));
    fields.amountX->setText(qs(entry.amountX));
    fields.amountY->setText(qs(entry.amountY));
    fields.unitX->setCurrentIndex(entry.unitX);
    fields.unitY->setCurrentIndex(entry.unitY);
    fields.enable->setChecked(entry.enabled);
  }
  layer2Toggled(form.layer2().enabled);
  unoptimized_->setChecked(form.unoptimizedMode);
}

NewMapWizardForm NewMapWizardDialog::form() const {
  NewMapWizardForm form;
  form.primaryName = ss(primaryName_->text());
  form.widthText = ss(width_->text());
  form.heightText = ss(height_->text());
  form.widthUnit = widthUnit_->currentIndex();
  form.heightUnit = heightUnit_->currentIndex();
  form.hasCollision = collision_->isChecked();
  form.hasEntity = entity_->isChecked();
  for (std::size_t i = 0; i < secondary_.size(); ++i) {
    const SecondaryRow& fields = secondary_[i];
    SecondaryLayerEntry& entry = form.secondary[i];
    entry.enabled = fields.enable->isChecked();
    entry.name = ss(fields.name->text());
    entry.amountX = ss(fields.amountX->text());
    entry.amountY = ss(fields.amountY->text());
    entry.unitX = fields.unitX->currentIndex();
    entry.unitY = fields.unitY->currentIndex();
  }
  form.unoptimizedMode = unoptimized_->isChecked();
  form.tilePagePath = ss(tilePage_->text());
  return form;
}

bool NewMapWizardDialog::tilePageGiven() const { return !tilePage_->text().trimmed().isEmpty(); }

void NewMapWizardDialog::accept() {
  outcome_ = acceptNewMapWizard(session_, form(), hooks_);
  switch (outcome_) {
    case NewMapOutcome::StayOpen: return;
    case NewMapOutcome::Cancelled: QDialog::reject(); return;
    case NewMapOutcome::Created: QDialog::accept(); return;
  }
}

}  // namespace qarto
