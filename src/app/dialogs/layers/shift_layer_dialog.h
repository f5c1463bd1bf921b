#pragma once

#include <QDialog>

#include "edit/dialogs/shift_layer_model.h"

class QCheckBox;
class QLineEdit;
class QSlider;

namespace qarto {

// Shift Layer Data: two sliders move the active layer's cells, with or
// without wrapping round. The layer shows the shifted cells while the
// dialog is open (previewChanged asks for a redraw); OK keeps them as one
// undo step, Cancel gives the layer its own cells back.
class ShiftLayerDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ShiftLayerDialog(EditorSession& session, QWidget* parent = nullptr);

  // False (with the reason told) when the active layer cannot be shifted;
  // the dialog is then not to be shown.
  bool begin();

 public slots:
  void accept() override;
  void reject() override;

 signals:
  void previewChanged();

 private:
  QSlider* slider(const char* objectName);
  void showModel();

  ShiftLayerModel model_;
  QSlider* horizontal_;
  QSlider* vertical_;
  QLineEdit* horizontalShift_;
  QLineEdit* verticalShift_;
  QCheckBox* wrapHorizontally_;
  QCheckBox* wrapVertically_;
  bool showing_ = false;  // the controls are being set from the model
};

}  // namespace qarto
