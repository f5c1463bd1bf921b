#pragma once

#include <QDockWidget>
#include <functional>

#include "edit/engine/side_bars.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace qarto {

class MapViewEngine;

// The Flags bar (" Flags"): the flag value Flag Paint applies and how, and
// the "Cursor Tile Properties" read-out. Docked at a side, shown while Flag
// Paint is the tool. Its controls only reach the engine (SideBars) and show
// what the engine holds; `changed` runs after each of them so the window
// shows the result and gives the keyboard back to the map view.
class CFlagsBar : public QDockWidget {
  Q_OBJECT

 public:
  CFlagsBar(MapViewEngine& engine, std::function<void()> changed, QWidget* parent = nullptr);

  // The controls and the read-out from the engine's state.
  void updateFromEngine();

 private:
  void control(const std::function<void()>& action);

  SideBars bars_;
  std::function<void()> changed_;
  QComboBox* markers_ = nullptr;
  QComboBox* damage_ = nullptr;
  QCheckBox* solid_ = nullptr;
  QCheckBox* jumpThrough_ = nullptr;
  QRadioButton* modes_[3] = {};
  QLabel* readOut_ = nullptr;
};

}  // namespace qarto
