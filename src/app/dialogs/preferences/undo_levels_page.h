#pragma once

#include <QWidget>

#include "edit/dialogs/preferences_model.h"

class QCheckBox;
class QLabel;
class QSlider;

namespace qarto {

// " Undo Levels ": a slider of 1 to 40 levels in steps of five, or
// "Unlimited" once the user has confirmed the memory warning; below it
// the "Classic keys" box.
class UndoLevelsPage : public QWidget {
  Q_OBJECT
 public:
  explicit UndoLevelsPage(PlatformServices& services, QWidget* parent = nullptr);

  void load(const PreferencesValues& values);
  void store(PreferencesValues& values) const;

 private:
  void unlimitedClicked(bool checked);
  void showUnlimited(bool unlimited);

  PlatformServices& services_;
  QCheckBox* unlimited_;
  QSlider* slider_;
  QLabel* value_;
  QCheckBox* classicKeys_;
};

}  // namespace qarto
