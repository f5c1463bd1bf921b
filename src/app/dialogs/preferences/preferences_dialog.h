#pragma once

#include <QDialog>

#include "edit/dialogs/preferences_model.h"

namespace qarto {

class ColorsPage;
class DefaultPathsPage;
class ScreenSizePage;
class TabHost;
class UndoLevelsPage;

// Preferences: four pages over the "Settings" section. Nothing is stored
// before OK; OK stores every page (or refuses a screen size and stays open).
class PreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  PreferencesDialog(PlatformServices& services, SettingsStore& settings, MapProject& project,
                    QWidget* parent = nullptr);

  // What the pages show now.
  PreferencesValues values() const;
  TabHost* tabs() const { return tabs_; }
  ColorsPage* colorsPage() const { return colors_; }

 public slots:
  void accept() override;

 private:
  PlatformServices& services_;
  SettingsStore& settings_;
  MapProject& project_;
  TabHost* tabs_;
  UndoLevelsPage* undo_;
  DefaultPathsPage* paths_;
  ScreenSizePage* screen_;
  ColorsPage* colors_;
};

}  // namespace qarto
