#pragma once

#include <QDialog>
#include <functional>

#include "export/tileset_validation.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace qarto {

inline constexpr const char* kValidateTilesetCaptionSuffix = " - Validate Tileset";

// Validate Tileset: checks a tile page on disk for tiles that mix palette
// rows or hold only a few pixels. It stays open beside the main window;
// "Validate" may be pressed any number of times, "Close" ends it.
class ValidateTilesetDialog : public QDialog {
  Q_OBJECT
 public:
  ValidateTilesetDialog(PlatformServices& services, SettingsStore& settings, QWidget* parent = nullptr);

  // The controls as they stand.
  ValidateTilesetRequest request() const;
  // "Validate": one run; the dialog stays as it is.
  ValidationOutcome validate();
  // Told the page's path and its faulty tiles after every run.
  std::function<void(const std::string& path, const std::vector<int>& tiles)> faultsFound;

 private:
  PlatformServices& services_;
  SettingsStore& settings_;
  QLineEdit* path_;
  QRadioButton* textReport_;
  QRadioButton* outputImage_;
  QCheckBox* invalid16_;
  QCheckBox* sparse_;
  QLineEdit* threshold_;
};

}  // namespace qarto
