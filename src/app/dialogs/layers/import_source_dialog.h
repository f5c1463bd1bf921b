#pragma once

#include <QDialog>

#include <array>

#include "edit/dialogs/import_source_model.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qarto {

// Import Layer from .h/.c/.cpp: three source files (palette, tile data,
// map data), the array to take from each and the map's width. OK is
// enabled once the width divides the map array; it imports and closes, or
// stays open after a refusal. The line under the groups says what is
// missing or how large the layer will be.
class ImportSourceDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ImportSourceDialog(EditorSession& session, QWidget* parent = nullptr);

  // "..." and "<" of a group, as the buttons do them.
  void browse(SourceGroup group);
  void scan(SourceGroup group);

 private:
  struct Group {
    QLineEdit* file = nullptr;
    QComboBox* arrays = nullptr;
  };
  QWidget* makeGroup(SourceGroup which, const QString& prefix);
  ImportSourceEntries entries() const;
  void updateState();
  void importLayer();

  EditorSession& session_;
  std::array<Group, 3> groups_;
  QLineEdit* mapWidth_ = nullptr;
  QLabel* hint_ = nullptr;
  QPushButton* ok_ = nullptr;
  MapArrayProbe probe_;
};

}  // namespace qarto
