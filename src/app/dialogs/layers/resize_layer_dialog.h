#pragma once

#include <QDialog>

#include <array>

#include "edit/dialogs/resize_layer_model.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace qarto {

// Resize Layer: the new size of the active layer (or, for a secondary
// layer, its new parallax), where the old cells go (the anchor grid) and
// whether they are stretched. OK resizes through the core; a refused value
// keeps the dialog open.
class ResizeLayerDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ResizeLayerDialog(EditorSession& session, QWidget* parent = nullptr);

  // False when there is no active layer; the dialog is then not to be shown.
  bool begin();
  QToolButton* anchorButton(int anchor) const { return anchors_[static_cast<std::size_t>(anchor)]; }

 public slots:
  void accept() override;

 private:
  QWidget* anchorGroup();
  QWidget* sizeGroup();
  void showAnchors();

  ResizeLayerModel model_;
  std::array<QToolButton*, 9> anchors_{};
  QCheckBox* stretchHorizontally_;
  QCheckBox* stretchVertically_;
  QCheckBox* resizeSecondary_;
  QRadioButton* keepParallax_;
  QRadioButton* keepSize_;
  QWidget* parallaxRows_ = nullptr;
  QWidget* sizeRows_ = nullptr;
  QLineEdit* newParallax_ = nullptr;
  QLineEdit* newWidth_ = nullptr;
  QLineEdit* newHeight_ = nullptr;
};

}  // namespace qarto
