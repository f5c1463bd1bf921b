#pragma once

#include <QWidget>

#include "edit/dialogs/preferences_model.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qarto {

// " Default Paths ": for maps and for tilesets, whether the file choosers
// open in the most recent folder or in a default one, and that folder; the
// emulator command Run Map plays maps in; and the entity catalogue file the
// Entities bar lists.
class DefaultPathsPage : public QWidget {
  Q_OBJECT
 public:
  explicit DefaultPathsPage(PlatformServices& services, QWidget* parent = nullptr);

  void load(const PreferencesValues& values);
  void store(PreferencesValues& values) const;

 private:
  struct PathGroup {
    QRadioButton* recent = nullptr;
    QRadioButton* useDefault = nullptr;
    QLineEdit* folder = nullptr;
    QPushButton* browse = nullptr;
  };
  QWidget* makeGroup(const QString& title, const QString& prefix, const char* chooserTitle, PathGroup& group);
  QWidget* makeCatalogueGroup();
  static void setUseDefault(PathGroup& group, bool useDefault);

  PlatformServices& services_;
  PathGroup map_;
  PathGroup tileset_;
  QLineEdit* emulatorCommand_ = nullptr;
  QLineEdit* catalogue_ = nullptr;
};

}  // namespace qarto
