#include "app/dialogs/layers/add_layer_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/art/dialog_art.h"
#include "app/dialogs/dialog_support.h"
#include "edit/dialogs/new_map_wizard.h"
#include "model/project/layer_amounts.h"

namespace qarto {

namespace {

QLabel* iconLabel(const QPixmap& pixmap, const char* objectName) {
  auto* label = new QLabel;
  label->setObjectName(objectName);
  label->setPixmap(pixmap);
  QSizePolicy policy = label->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  label->setSizePolicy(policy);
  return label;
}

QComboBox* unitList(const char* objectName) {
  auto* list = new QComboBox;
  list->setObjectName(objectName);
  for (const char* unit : kSecondaryUnitNames) list->addItem(QString::fromUtf8(unit));
  return list;
}

QLineEdit* amountEdit(const char* objectName) {
  auto* edit = new QLineEdit(qs(formatTwoDecimals(1.0)));
  edit->setObjectName(objectName);
  edit->setFixedWidth(70);
  return edit;
}

}  // namespace

AddLayerDialog::AddLayerDialog(MapProject& project, QWidget* parent)
    : QDialog(parent),
      project_(project),
      secondary_(new QRadioButton(QStringLiteral("&Secondary BG"))),
      collision_(new QRadioButton(QStringLiteral("&Collision"))),
      entity_(new QRadioButton(QStringLiteral("&Entity"))),
      name_(new QLineEdit(QStringLiteral("BG_Layer"))),
      amountX_(amountEdit("amountX")),
      amountY_(amountEdit("amountY")),
      unitX_(unitList("unitX")),
      unitY_(unitList("unitY")),
      sizeLabel_(new QLabel(QStringLiteral("Size"))),
      unitsLabel_(new QLabel(QStringLiteral("Units"))),
      widthIcon_(iconLabel(widthSizeIcon(), "widthIcon")),
      heightIcon_(iconLabel(heightSizeIcon(), "heightIcon")) {
  setUpDialogWindow(*this, kAddLayerCaptionSuffix);
  secondary_->setObjectName("secondary");
  collision_->setObjectName("collision");
  entity_->setObjectName("entity");
  // Entity placement works on the first entity layer: a map has one at most.
  entity_->setEnabled(project.findLayerOfKind(LayerKind::Entity) == nullptr);
  name_->setObjectName("name");
  secondary_->setChecked(true);

  auto* kinds = new QVBoxLayout;
  kinds->addWidget(secondary_);
  kinds->addWidget(collision_);
  kinds->addWidget(entity_);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Layer Name")), 0, 0);
  grid->addWidget(name_, 0, 1, 1, 4);
  grid->addWidget(sizeLabel_, 1, 0);
  grid->addWidget(widthIcon_, 1, 1);
  grid->addWidget(amountX_, 1, 2);
  grid->addWidget(unitsLabel_, 1, 3);
  grid->addWidget(unitX_, 1, 4);
  grid->addWidget(heightIcon_, 2, 1);
  grid->addWidget(amountY_, 2, 2);
  grid->addWidget(unitY_, 2, 4);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &AddLayerDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(kinds);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (QRadioButton* kind : {secondary_, collision_, entity_}) {
    connect(kind, &QRadioButton::toggled, this, &AddLayerDialog::kindChanged);
  }
  kindChanged();
}

void AddLayerDialog::kindChanged() {
  const bool sized = secondary_->isChecked();
  for (QWidget* widget : std::initializer_list<QWidget*>{amountX_, amountY_, unitX_, unitY_, sizeLabel_, unitsLabel_}) {
    widget->setEnabled(sized);
  }
  widthIcon_->setVisible(sized);
  heightIcon_->setVisible(sized);
}

AddLayerRequest AddLayerDialog::request() const {
  AddLayerRequest request;
  request.name = ss(name_->text());
  request.kind = collision_->isChecked() ? LayerKind::Collision
                 : entity_->isChecked()  ? LayerKind::Entity
                                         : LayerKind::Secondary;
  request.amountX = amountOrNaN(ss(amountX_->text()));
  request.unitX = static_cast<SizeUnit>(unitX_->currentIndex());
  request.amountY = amountOrNaN(ss(amountY_->text()));
  request.unitY = static_cast<SizeUnit>(unitY_->currentIndex());
  return request;
}

void AddLayerDialog::accept() {
  result_ = project_.requestAddLayer(request());
  switch (result_.outcome) {
    case AddLayerOutcome::KeepDialogOpen: return;
    case AddLayerOutcome::Added: QDialog::accept(); return;
    case AddLayerOutcome::CloseDialog:
    case AddLayerOutcome::Failed: QDialog::reject(); return;
  }
}

}  // namespace qarto
