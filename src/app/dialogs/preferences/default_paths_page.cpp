#include "app/dialogs/preferences/default_paths_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "model/platform_services.h"

namespace qarto {

DefaultPathsPage::DefaultPathsPage(PlatformServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeGroup(QStringLiteral("Map Path"), QStringLiteral("map"), kDefaultMapPathTitle, map_));
  layout->addWidget(
      makeGroup(QStringLiteral("Tileset Path"), QStringLiteral("tileset"), kDefaultTilesetPathTitle, tileset_));
  auto* emulator = new QGroupBox(QStringLiteral("Run Map"));
  auto* emulatorLayout = new QVBoxLayout(emulator);
  emulatorLayout->addWidget(
      new QLabel(QStringLiteral("Emulator command (%f for the ROM; empty: the built-in player):")));
  emulatorCommand_ = new QLineEdit;
  emulatorCommand_->setObjectName(QStringLiteral("emulatorCommand"));
  emulatorLayout->addWidget(emulatorCommand_);
  layout->addWidget(emulator);
  layout->addWidget(makeCatalogueGroup());
  layout->addStretch(1);
}

QWidget* DefaultPathsPage::makeGroup(const QString& title, const QString& prefix, const char* chooserTitle,
                                     PathGroup& group) {
  auto* box = new QGroupBox(title);
  group.recent = new QRadioButton(QStringLiteral("Always use most recent path"));
  group.useDefault = new QRadioButton(QStringLiteral("Always use default path"));
  group.folder = new QLineEdit;
  group.browse = new QPushButton(QStringLiteral("..."));
  group.recent->setObjectName(prefix + "Recent");
  group.useDefault->setObjectName(prefix + "UseDefault");
  group.folder->setObjectName(prefix + "Folder");
  group.browse->setObjectName(prefix + "Browse");
  group.folder->setMinimumWidth(240);
  group.browse->setFixedWidth(group.browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);

  auto* grid = new QGridLayout(box);
  grid->addWidget(group.recent, 0, 0, 1, 2);
  grid->addWidget(group.useDefault, 1, 0, 1, 2);
  grid->addWidget(group.folder, 2, 0);
  grid->addWidget(group.browse, 2, 1);

  PathGroup* target = &group;
  connect(group.useDefault, &QRadioButton::toggled, this, [target](bool on) { setUseDefault(*target, on); });
  connect(group.browse, &QPushButton::clicked, this, [this, target, chooserTitle] {
    if (std::optional<std::string> folder = services_.chooseFolder(chooserTitle, ss(target->folder->text()))) {
      target->folder->setText(qs(*folder));
    }
  });
  return box;
}

QWidget* DefaultPathsPage::makeCatalogueGroup() {
  auto* box = new QGroupBox(QString::fromLatin1(kEntityCatalogueTitle));
  catalogue_ = new QLineEdit;
  catalogue_->setObjectName("entityCatalogue");
  catalogue_->setPlaceholderText(QStringLiteral("Built-in entities only"));
  auto* browse = new QPushButton(QStringLiteral("..."));
  browse->setObjectName("entityCatalogueBrowse");
  browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  auto* grid = new QGridLayout(box);
  grid->addWidget(catalogue_, 0, 0);
  grid->addWidget(browse, 0, 1);
  connect(browse, &QPushButton::clicked, this, [this] {
    const std::vector<std::string> chosen = services_.chooseOpenFiles(entityCatalogueChooser(ss(catalogue_->text())));
    if (!chosen.empty()) catalogue_->setText(qs(chosen.front()));
  });
  return box;
}

void DefaultPathsPage::setUseDefault(PathGroup& group, bool useDefault) {
  group.folder->setEnabled(useDefault);
  group.browse->setEnabled(useDefault);
}

void DefaultPathsPage::load(const PreferencesValues& values) {
  map_.folder->setText(qs(values.mapPath));
  (values.useDefMapPath ? map_.useDefault : map_.recent)->setChecked(true);
  setUseDefault(map_, values.useDefMapPath);
  tileset_.folder->setText(qs(values.tilesetPath));
  (values.useDefTilesetPath ? tileset_.useDefault : tileset_.recent)->setChecked(true);
  setUseDefault(tileset_, values.useDefTilesetPath);
  emulatorCommand_->setText(qs(values.emulatorCommand));
  catalogue_->setText(qs(values.entityCataloguePath));
}

void DefaultPathsPage::store(PreferencesValues& values) const {
  values.mapPath = ss(map_.folder->text());
  values.useDefMapPath = map_.useDefault->isChecked();
  values.tilesetPath = ss(tileset_.folder->text());
  values.useDefTilesetPath = tileset_.useDefault->isChecked();
  values.emulatorCommand = ss(emulatorCommand_->text());
  values.entityCataloguePath = ss(catalogue_->text());
}

}  // namespace qarto
