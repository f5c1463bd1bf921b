#pragma once

#include <QDialog>

#include <array>

#include "edit/dialogs/import_source_model.h"

class QComboBox;
class QLineEdit;

namespace qarto {

// Import Layer from .h/.c/.cpp: three source files (palette, tile data,
// map data) and, from each, the array to take. It is a front end only: OK
// stays disabled and no layer is made.
class ImportSourceDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ImportSourceDialog(PlatformServices& services, QWidget* parent = nullptr);

  // "..." and "<" of a group, as the buttons do them.
  void browse(SourceGroup group);
  void scan(SourceGroup group);

 private:
  struct Group {
    QLineEdit* file = nullptr;
    QComboBox* arrays = nullptr;
  };
  QWidget* makeGroup(SourceGroup which, const QString& prefix);

  PlatformServices& services_;
  std::array<Group, 3> groups_;
};

}  // namespace qarto
