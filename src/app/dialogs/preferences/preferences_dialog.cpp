#include "app/dialogs/preferences/preferences_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/controls/tab_host.h"
#include "app/dialogs/dialog_support.h"
#include "app/dialogs/preferences/colors_page.h"
#include "app/dialogs/preferences/default_paths_page.h"
#include "app/dialogs/preferences/screen_size_page.h"
#include "app/dialogs/preferences/undo_levels_page.h"

namespace qarto {

PreferencesDialog::PreferencesDialog(PlatformServices& services, SettingsStore& settings, MapProject& project,
                                     QWidget* parent)
    : QDialog(parent),
      services_(services),
      settings_(settings),
      project_(project),
      tabs_(new TabHost),
      undo_(new UndoLevelsPage(services)),
      paths_(new DefaultPathsPage(services)),
      screen_(new ScreenSizePage),
      colors_(new ColorsPage(services)) {
  setUpDialogWindow(*this, kPreferencesCaptionSuffix);
  tabs_->setObjectName("tabs");
  tabs_->addPage(undo_, QString::fromUtf8(kPreferencesTabLabels[0]));
  tabs_->addPage(paths_, QString::fromUtf8(kPreferencesTabLabels[1]));
  tabs_->addPage(screen_, QString::fromUtf8(kPreferencesTabLabels[2]));
  tabs_->addPage(colors_, QString::fromUtf8(kPreferencesTabLabels[3]));

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Enter is OK wherever the focus is: the pages' own buttons (colours,
  // folders) would otherwise take it while they have the focus.
  for (QPushButton* button : findChildren<QPushButton*>()) {
    if (button != ok) button->setAutoDefault(false);
  }

  const PreferencesValues values = loadPreferences(settings_);
  undo_->load(values);
  paths_->load(values);
  screen_->load(values);
  colors_->load(values);
}

PreferencesValues PreferencesDialog::values() const {
  PreferencesValues values;
  undo_->store(values);
  paths_->store(values);
  screen_->store(values);
  colors_->store(values);
  return values;
}

void PreferencesDialog::accept() {
  if (acceptPreferences(services_, settings_, project_, values()) == PreferencesOutcome::Accepted) QDialog::accept();
}

}  // namespace qarto
