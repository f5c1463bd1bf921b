#pragma once

#include <QDialog>

#include "model/project/map_project.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace qarto {

inline constexpr const char* kAddLayerCaptionSuffix = " - Add Layer";

// Add Layer: one secondary, collision or entity layer for the open map.
// Sizes are typed in parallax, tiles, screens or pixels; OK hands them to
// the project's add-layer request, which refuses what it cannot take (the
// dialog then stays open).
class AddLayerDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AddLayerDialog(MapProject& project, QWidget* parent = nullptr);

  // The request the entries make.
  AddLayerRequest request() const;
  const AddLayerResult& lastResult() const { return result_; }

 public slots:
  void accept() override;

 private:
  void kindChanged();

  MapProject& project_;
  AddLayerResult result_;
  QRadioButton* secondary_;
  QRadioButton* collision_;
  QRadioButton* entity_;
  QLineEdit* name_;
  QLineEdit* amountX_;
  QLineEdit* amountY_;
  QComboBox* unitX_;
  QComboBox* unitY_;
  QLabel* sizeLabel_;
  QLabel* unitsLabel_;
  QLabel* widthIcon_;
  QLabel* heightIcon_;
};

}  // namespace qarto
