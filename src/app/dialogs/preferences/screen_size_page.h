#pragma once

#include <QWidget>

#include "edit/dialogs/preferences_model.h"

class QLineEdit;

namespace qarto {

// " Screen Size ": the target hardware screen in pixels.
class ScreenSizePage : public QWidget {
  Q_OBJECT
 public:
  explicit ScreenSizePage(QWidget* parent = nullptr);

  void load(const PreferencesValues& values);
  void store(PreferencesValues& values) const;

 private:
  QLineEdit* width_;
  QLineEdit* height_;
};

}  // namespace qarto
