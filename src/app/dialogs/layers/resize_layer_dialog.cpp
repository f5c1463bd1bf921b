#include "app/dialogs/layers/resize_layer_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dialogs/art/dialog_art.h"
#include "app/dialogs/dialog_support.h"
#include "model/project/layer_amounts.h"

namespace qarto {

namespace {

QLineEdit* valueEdit(const char* objectName) {
  auto* edit = new QLineEdit;
  edit->setObjectName(objectName);
  edit->setFixedWidth(70);
  return edit;
}

QLabel* valueLabel(const char* objectName) {
  auto* label = new QLabel;
  label->setObjectName(objectName);
  label->setMinimumWidth(70);
  return label;
}

}  // namespace

ResizeLayerDialog::ResizeLayerDialog(EditorSession& session, QWidget* parent)
    : QDialog(parent),
      model_(session),
      stretchHorizontally_(new QCheckBox(QStringLiteral("Stretch Data Horizontally"))),
      stretchVertically_(new QCheckBox(QStringLiteral("Stretch Data Vertically"))),
      resizeSecondary_(new QCheckBox(QStringLiteral("Resize Secondary Layers"))),
      keepParallax_(new QRadioButton(QStringLiteral("Keep Parallax, Adjust Size"))),
      keepSize_(new QRadioButton(QStringLiteral("Keep Size, Adjust Parallax"))) {
  setUpDialogWindowTitled(*this, model_.title());
  stretchHorizontally_->setObjectName("stretchHorizontally");
  stretchVertically_->setObjectName("stretchVertically");
  resizeSecondary_->setObjectName("resizeSecondary");
  keepParallax_->setObjectName("keepParallax");
  keepSize_->setObjectName("keepSize");

  auto* options = new QVBoxLayout;
  options->addWidget(stretchHorizontally_);
  options->addWidget(stretchVertically_);
  options->addSpacing(8);
  options->addWidget(resizeSecondary_);
  options->addWidget(keepParallax_);
  options->addWidget(keepSize_);
  options->addStretch(1);

  auto* top = new QHBoxLayout;
  top->addWidget(sizeGroup());
  top->addWidget(anchorGroup());
  top->addLayout(options);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &ResizeLayerDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(stretchHorizontally_, &QCheckBox::toggled, this, [this](bool on) {
    model_.setStretchHorizontally(on);
    showAnchors();
  });
  connect(stretchVertically_, &QCheckBox::toggled, this, [this](bool on) {
    model_.setStretchVertically(on);
    showAnchors();
  });
  connect(resizeSecondary_, &QCheckBox::toggled, this, [this](bool on) {
    model_.setResizeSecondary(on);
    keepParallax_->setEnabled(model_.parallaxChoiceEnabled());
    keepSize_->setEnabled(model_.parallaxChoiceEnabled());
  });
  connect(keepParallax_, &QRadioButton::toggled, this, [this](bool on) { model_.setKeepParallax(on); });
}

QWidget* ResizeLayerDialog::anchorGroup() {
  auto* group = new QGroupBox(QStringLiteral("Map Anchor"));
  auto* grid = new QGridLayout(group);
  grid->setSpacing(2);
  for (int anchor = 0; anchor < 9; ++anchor) {
    auto* button = new QToolButton;
    button->setObjectName(QStringLiteral("anchor%1").arg(anchor));
    button->setCheckable(true);
    button->setAutoExclusive(true);
    button->setIconSize(QSize(20, 20));
    button->setFixedSize(30, 30);
    connect(button, &QToolButton::clicked, this, [this, anchor] {
      model_.selectAnchor(anchor);
      showAnchors();
    });
    anchors_[static_cast<std::size_t>(anchor)] = button;
    grid->addWidget(button, anchor / 3, anchor % 3);
  }
  return group;
}

QWidget* ResizeLayerDialog::sizeGroup() {
  auto* group = new QWidget;
  auto* column = new QVBoxLayout(group);
  column->setContentsMargins(0, 0, 0, 0);

  parallaxRows_ = new QWidget;
  auto* parallax = new QGridLayout(parallaxRows_);
  parallax->setContentsMargins(0, 0, 0, 0);
  newParallax_ = valueEdit("newParallax");
  parallax->addWidget(new QLabel(QStringLiteral("Parallax:")), 0, 0);
  parallax->addWidget(valueLabel("oldParallax"), 0, 1);
  parallax->addWidget(newParallax_, 0, 2);
  parallax->addWidget(new QLabel(QStringLiteral("Dimensions:")), 1, 0);
  parallax->addWidget(valueLabel("dimensions"), 1, 1, 1, 2);

  sizeRows_ = new QWidget;
  auto* size = new QGridLayout(sizeRows_);
  size->setContentsMargins(0, 0, 0, 0);
  newWidth_ = valueEdit("newWidth");
  newHeight_ = valueEdit("newHeight");
  size->addWidget(new QLabel(QStringLiteral("Width:")), 0, 0);
  size->addWidget(valueLabel("oldWidth"), 0, 1);
  size->addWidget(newWidth_, 0, 2);
  size->addWidget(new QLabel(QStringLiteral("Height:")), 1, 0);
  size->addWidget(valueLabel("oldHeight"), 1, 1);
  size->addWidget(newHeight_, 1, 2);

  column->addWidget(parallaxRows_);
  column->addWidget(sizeRows_);
  column->addStretch(1);
  return group;
}

bool ResizeLayerDialog::begin() {
  if (!model_.begin()) return false;
  const bool parallax = model_.editsParallax();
  parallaxRows_->setVisible(parallax);
  sizeRows_->setVisible(!parallax);
  if (parallax) {
    findChild<QLabel*>("oldParallax")->setText(qs(model_.oldParallaxText()));
    findChild<QLabel*>("dimensions")->setText(qs(model_.dimensionsText()));
    newParallax_->setText(qs(formatTwoDecimals(model_.newParallax())));
  } else {
    findChild<QLabel*>("oldWidth")->setText(qs(model_.oldWidthText()));
    findChild<QLabel*>("oldHeight")->setText(qs(model_.oldHeightText()));
    newWidth_->setText(QString::number(model_.newWidth()));
    newHeight_->setText(QString::number(model_.newHeight()));
  }
  stretchHorizontally_->setChecked(model_.stretchHorizontally());
  stretchVertically_->setChecked(model_.stretchVertically());
  resizeSecondary_->setChecked(model_.resizeSecondary());
  resizeSecondary_->setEnabled(model_.resizeSecondaryEnabled());
  (model_.keepParallax() ? keepParallax_ : keepSize_)->setChecked(true);
  keepParallax_->setEnabled(model_.parallaxChoiceEnabled());
  keepSize_->setEnabled(model_.parallaxChoiceEnabled());
  showAnchors();
  return true;
}

// Each button points away from the selected anchor: where the layer grows.
void ResizeLayerDialog::showAnchors() {
  const int selected = model_.anchor();
  for (int anchor = 0; anchor < 9; ++anchor) {
    QToolButton* button = anchors_[static_cast<std::size_t>(anchor)];
    const int dx = anchor % 3 - selected % 3;
    const int dy = anchor / 3 - selected / 3;
    const bool neighbour = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
    button->setIcon(neighbour ? anchorIcon(dx, dy) : QIcon());
    button->setEnabled(model_.anchorEnabled(anchor));
    button->setChecked(anchor == selected);
  }
}

void ResizeLayerDialog::accept() {
  if (model_.editsParallax()) {
    model_.setNewParallaxText(ss(newParallax_->text()));
  } else {
    model_.setNewSizeText(ss(newWidth_->text()), ss(newHeight_->text()));
  }
  if (model_.confirm() == ResizeOutcome::Closed) QDialog::accept();
}

}  // namespace qarto
