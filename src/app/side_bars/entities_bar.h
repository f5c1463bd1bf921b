#pragma once

#include <QDockWidget>
#include <cstdint>
#include <functional>

#include "edit/engine/side_bars.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace qarto {

class MapViewEngine;

// The Entities bar (" Entities"): the entity catalogue as a list with the
// chosen row's description, and Spawn, Delete and Clone. Docked at a side,
// shown while Entity Placement is the tool. Like the Flags bar it only
// reaches the engine and shows its state; `changed` runs after each control.
class CEntitiesBar : public QDockWidget {
  Q_OBJECT

 public:
  CEntitiesBar(MapViewEngine& engine, std::function<void()> changed, QWidget* parent = nullptr);

  // The list (refilled when the catalogue changed), its row and the description.
  void updateFromEngine();

 private:
  void control(const std::function<void()>& action);

  SideBars bars_;
  std::function<void()> changed_;
  std::uint32_t listedGeneration_ = 0;
  bool listed_ = false;
  QComboBox* list_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
};

}  // namespace qarto
