#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace qarto {

class LayerBarContext;

inline constexpr int kLayerEntryWidth = 196;
inline constexpr int kLayerEntryHeight = 92;
struct MapLayer;

// One entry of the layer bar: the layer's name (editable), kind and size,
// and its toggles. It refers to its layer by address but trusts it only
// while the project still holds that layer: every paint, click and toggle
// looks it up first, so an entry never touches a destroyed layer.
class CLayerBarEntry : public QWidget {
  Q_OBJECT

 public:
  CLayerBarEntry(LayerBarContext& bar, QWidget* parent = nullptr);

  // The layer shown (none hides every text) and the display brought up to
  // date from it.
  void showLayer(MapLayer* layer);
  // The layer, if the project still has it; else none.
  MapLayer* layer() const;
  void setSelected(bool selected);
  bool isSelected() const { return selected_; }
  // Toggles, name, kind and size from the layer.
  void updateDisplay();

  // The controls, for the bar and its tests.
  QToolButton* menuButton() const { return menuButton_; }
  QLineEdit* nameEdit() const { return nameEdit_; }
  QLabel* kindLabel() const { return kindLabel_; }
  QLabel* sizeLabel() const { return sizeLabel_; }
  QToolButton* visibleButton() const { return visibleButton_; }
  QToolButton* alphaButton() const { return alphaButton_; }
  QToolButton* lockButton() const { return lockButton_; }
  QToolButton* flagsButton() const { return flagsButton_; }
  QToolButton* groupingButton() const { return groupingButton_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void select();
  void openLayersMenu();
  void nameEdited(const QString& text);
  void toggled(QToolButton* button, bool on);

  LayerBarContext& bar_;
  MapLayer* layer_ = nullptr;
  bool selected_ = false;
  QToolButton* menuButton_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QLabel* kindLabel_ = nullptr;
  QLabel* sizeLabel_ = nullptr;
  QToolButton* visibleButton_ = nullptr;
  QToolButton* alphaButton_ = nullptr;
  QToolButton* lockButton_ = nullptr;
  QToolButton* flagsButton_ = nullptr;
  QToolButton* groupingButton_ = nullptr;
};

// " Primary Layer" and friends; the size text " 32x32 tiles" or
// " 40x30 tiles, px(0.50 x 0.50)"; empty for an entity layer.
QString layerKindText(const MapLayer& layer);
QString layerSizeText(const MapLayer& layer);

}  // namespace qarto
