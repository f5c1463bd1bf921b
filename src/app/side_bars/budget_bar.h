#pragma once

#include <QDockWidget>
#include <QColor>
#include <array>
#include <vector>

#include "export/budget/budget_figures.h"

namespace qarto {

class MapViewEngine;

// The Hardware Budget bar: the budget's lines (red past a limit, with the
// reason), the palettes in use as swatch rows and the 64 KB of video memory
// as the map player fills it. It shows the engine's figures after every
// input while it is shown; the counting is the core's.
class CBudgetBar : public QDockWidget {
 public:
  CBudgetBar(MapViewEngine& engine, QWidget* parent = nullptr);

  void updateFromEngine();
  const std::vector<BudgetLine>& lines() const { return lines_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  friend class BudgetPanel;

  MapViewEngine& engine_;
  std::vector<BudgetLine> lines_;
  std::vector<std::array<QColor, 16>> swatches_;
  std::array<VramUse, kVramSlots> vram_{};
  QWidget* panel_ = nullptr;
};

}  // namespace qarto
