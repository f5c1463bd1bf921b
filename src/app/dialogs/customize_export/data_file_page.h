#pragma once

#include <QWidget>

#include "export/definition/customize_export.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qarto {

// One data file's page of Customize Export (palette, tiles, map or
// collision): its file name, includes, array template and extern.
class DataFilePage : public QWidget {
  Q_OBJECT
 public:
  explicit DataFilePage(ExportFile which, QWidget* parent = nullptr);

  void load(const CustomizeExportPages& pages);
  void store(CustomizeExportPages& pages) const;

 private:
  QWidget* resetColumn(QPushButton* reset, QLabel* note);
  void setExternState(int state);
  void showExternControls(bool enabled);

  ExportFile which_;
  QLineEdit* fileName_;
  QPlainTextEdit* includes_;
  QPlainTextEdit* format_;
  QButtonGroup* externs_;
  QLabel* externLabel_;
  QPlainTextEdit* externFormat_;
  QPushButton* externReset_;
  QLabel* externResetNote_;
  QCheckBox* autoPad_ = nullptr;  // palette page only
};

}  // namespace qarto
