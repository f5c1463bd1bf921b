#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QListWidget;
class QSpinBox;

namespace qarto {

class EditorSession;

// The Palette Remapper: a tile page's 16 palette rows, each with its colours
// and how many of them the page's pixels use; "Move" puts the selected row
// at another position, "Merge" moves its pixels into another row. Each is
// done at once through the core (one undo step); `changed` runs after it.
class PaletteRemapperDialog : public QDialog {
  Q_OBJECT

 public:
  PaletteRemapperDialog(EditorSession& session, std::function<void()> changed, QWidget* parent = nullptr);

 private:
  int pageId() const;
  void showRows();
  void act(bool merge);

  EditorSession& session_;
  std::function<void()> changed_;
  QComboBox* page_ = nullptr;
  QListWidget* rows_ = nullptr;
  QSpinBox* target_ = nullptr;
};

}  // namespace qarto
