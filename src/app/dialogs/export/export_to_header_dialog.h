#pragma once

#include <QDialog>

#include "export/export_to_header.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace qarto {

// Export to Header (and, under " - Export To Raw", the binary export): the
// export folder, the tile index and palette bank offsets and the colour
// shifts. OK stores them under "Settings" and hands back the export's
// options; Cancel stores nothing but a folder already chosen with "...".
class ExportToHeaderDialog : public QDialog {
  Q_OBJECT
 public:
  // `mapPath`: the open map's file, whose folder is the first export folder.
  ExportToHeaderDialog(PlatformServices& services, SettingsStore& settings, const char* captionSuffix,
                       QWidget* parent = nullptr, const std::string& mapPath = {});

  // The controls as they stand.
  ExportToHeaderValues values() const;
  // After OK: what the export is to use.
  const ExportOptions& options() const { return options_; }

 public slots:
  void accept() override;

 private:
  QSlider* slider(const char* objectName, int maximum, int tickInterval);
  void fill(const ExportToHeaderValues& values);
  void customizeExport();

  PlatformServices& services_;
  SettingsStore& settings_;
  ExportOptions options_;
  QLineEdit* path_;
  QLineEdit* tileOffset_;
  QSlider* bank_;
  QSlider* saturation_;
  QSlider* luminance_;
  QLabel* bankLabel_;
  QLabel* saturationLabel_;
  QLabel* luminanceLabel_;
  QCheckBox* screenBlocks_;
  QCheckBox* lz77_;
  QComboBox* preset_;
};

}  // namespace qarto
