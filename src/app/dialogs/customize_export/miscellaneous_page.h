#pragma once

#include <QWidget>

#include "export/definition/customize_export.h"

class QLineEdit;
class QPlainTextEdit;

namespace qarto {

// The "Miscellaneous" page of Customize Export: the two extern files and
// the export counter.
class MiscellaneousPage : public QWidget {
  Q_OBJECT
 public:
  explicit MiscellaneousPage(QWidget* parent = nullptr);

  void load(const CustomizeExportPages& pages);
  void store(CustomizeExportPages& pages) const;

 private:
  QLineEdit* file1Name_;
  QPlainTextEdit* file1Includes_;
  QLineEdit* file2Name_;
  QPlainTextEdit* file2Includes_;
  QLineEdit* numAutoGen_;
};

}  // namespace qarto
