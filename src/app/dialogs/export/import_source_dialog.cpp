#include "app/dialogs/export/import_source_dialog.h"

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

namespace qarto {

namespace {

QPushButton* narrowButton(const QString& text, const QString& objectName) {
  auto* button = new QPushButton(text);
  button->setObjectName(objectName);
  button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  return button;
}

}  // namespace

ImportSourceDialog::ImportSourceDialog(PlatformServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
  setUpDialogWindow(*this, kImportSourceCaptionSuffix);

  auto* note = new QLabel(QString::fromUtf8(kImportSourceNote));
  note->setObjectName("note");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeGroup(SourceGroup::Palette, QStringLiteral("palette")));
  layout->addWidget(makeGroup(SourceGroup::TileData, QStringLiteral("tiles")));
  layout->addWidget(makeGroup(SourceGroup::MapData, QStringLiteral("map")));
  layout->addWidget(note);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
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

  auto* grid = new QGridLayout(box);
  grid->addWidget(group.file, 0, 0, 1, 3);
  grid->addWidget(browseButton, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("Array Name:")), 1, 0);
  grid->addWidget(group.arrays, 1, 1);
  grid->addWidget(scanButton, 1, 2);
  if (which == SourceGroup::MapData) {
    // Nothing reads the width yet; the import itself is still to come.
    auto* width = new QLineEdit;
    width->setObjectName("mapWidth");
    width->setFixedWidth(70);
    width->setValidator(new QIntValidator(0, 999999, width));
    grid->addWidget(new QLabel(QStringLiteral("Map Width:")), 2, 0);
    grid->addWidget(width, 2, 1, Qt::AlignLeft);
  }
  grid->setColumnStretch(1, 1);
  return box;
}

void ImportSourceDialog::browse(SourceGroup which) {
  if (std::optional<std::string> path = chooseSourceFile(services_)) {
    groups_[static_cast<std::size_t>(which)].file->setText(qs(*path));
  }
}

void ImportSourceDialog::scan(SourceGroup which) {
  Group& group = groups_[static_cast<std::size_t>(which)];
  const std::optional<std::vector<std::string>> names = scanSourceArrays(services_, ss(group.file->text()));
  if (!names) return;
  group.arrays->clear();
  for (const std::string& name : *names) group.arrays->addItem(qs(name));
  group.arrays->setCurrentIndex(names->empty() ? -1 : 0);
}

}  // namespace qarto
