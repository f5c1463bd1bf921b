#include "app/dialogs/layers/import_source_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

QPushButton* narrowButton(const QString& text, const QString& objectName) {
  auto* button = new QPushButton(text);
  button->setObjectName(objectName);
  button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  return button;
}

}  // namespace

ImportSourceDialog::ImportSourceDialog(EditorSession& session, QWidget* parent) : QDialog(parent), session_(session) {
  setUpDialogWindow(*this, kImportSourceCaptionSuffix);

  hint_ = new QLabel;
  hint_->setObjectName("hint");
  hint_->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setObjectName("ok");
  connect(buttons, &QDialogButtonBox::accepted, this, &ImportSourceDialog::importLayer);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeGroup(SourceGroup::Palette, QStringLiteral("palette")));
  layout->addWidget(makeGroup(SourceGroup::TileData, QStringLiteral("tiles")));
  layout->addWidget(makeGroup(SourceGroup::MapData, QStringLiteral("map")));
  layout->addWidget(hint_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  updateState();
}

QWidget* ImportSourceDialog::makeGroup(SourceGroup which, const QString& prefix) {
  Group& group = groups_[static_cast<std::size_t>(which)];
  auto* box = new QGroupBox(QString::fromUtf8(kSourceGroupTitles[static_cast<int>(which)]));
  group.file = new QLineEdit;
  group.file->setObjectName(prefix + "File");
  group.file->setMinimumWidth(340);
  group.arrays = new QComboBox;
  group.arrays->setObjectName(prefix + "Arrays");
  group.arrays->setMinimumWidth(160);
  QPushButton* browseButton = narrowButton(QStringLiteral("..."), prefix + "Browse");
  QPushButton* scanButton = narrowButton(QStringLiteral("<"), prefix + "Scan");
  connect(browseButton, &QPushButton::clicked, this, [this, which] { browse(which); });
  connect(scanButton, &QPushButton::clicked, this, [this, which] { scan(which); });
  connect(group.file, &QLineEdit::textChanged, this, &ImportSourceDialog::updateState);
  connect(group.arrays, &QComboBox::currentIndexChanged, this, &ImportSourceDialog::updateState);

  auto* grid = new QGridLayout(box);
  grid->addWidget(group.file, 0, 0, 1, 3);
  grid->addWidget(browseButton, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("Array Name:")), 1, 0);
  grid->addWidget(group.arrays, 1, 1);
  grid->addWidget(scanButton, 1, 2);
  if (which == SourceGroup::MapData) {
    mapWidth_ = new QLineEdit;
    mapWidth_->setObjectName("mapWidth");
    mapWidth_->setFixedWidth(70);
    mapWidth_->setValidator(new QIntValidator(0, 999999, mapWidth_));
    connect(mapWidth_, &QLineEdit::textChanged, this, &ImportSourceDialog::updateState);
    grid->addWidget(new QLabel(QStringLiteral("Map Width:")), 2, 0);
    grid->addWidget(mapWidth_, 2, 1, Qt::AlignLeft);
  }
  grid->setColumnStretch(1, 1);
  return box;
}

void ImportSourceDialog::browse(SourceGroup which) {
  if (std::optional<std::string> path = chooseSourceFile(session_.services())) {
    groups_[static_cast<std::size_t>(which)].file->setText(qs(*path));
  }
}

void ImportSourceDialog::scan(SourceGroup which) {
  Group& group = groups_[static_cast<std::size_t>(which)];
  const std::optional<std::vector<std::string>> names = scanSourceArrays(session_.services(), ss(group.file->text()));
  if (!names) return;
  probe_.forget();  // the file may have changed since it was read
  group.arrays->clear();
  for (const std::string& name : *names) group.arrays->addItem(qs(name));
  group.arrays->setCurrentIndex(names->empty() ? -1 : 0);
  updateState();
}

ImportSourceEntries ImportSourceDialog::entries() const {
  ImportSourceEntries result;
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    if (groups_[i].file == nullptr) return result;  // still being built
    result.files[i] = ss(groups_[i].file->text());
    result.arrays[i] = ss(groups_[i].arrays->currentText());
  }
  result.mapWidth = mapWidth_ != nullptr ? ss(mapWidth_->text()) : std::string();
  return result;
}

void ImportSourceDialog::updateState() {
  if (ok_ == nullptr) return;
  const ImportSourceState state = importSourceState(entries(), probe_);
  ok_->setEnabled(state.okEnabled);
  hint_->setText(qs(state.hint));
}

void ImportSourceDialog::importLayer() {
  if (!ok_->isEnabled()) return;
  if (acceptImportSource(session_, entries()).layer != nullptr) accept();
}

}  // namespace qarto
