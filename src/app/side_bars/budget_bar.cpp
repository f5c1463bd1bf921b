#include "app/side_bars/budget_bar.h"

#include <QPainter>
#include <algorithm>

#include "edit/engine/map_view_engine.h"
#include "export/reduction/export_reduction.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

constexpr int kMargin = 6;
constexpr int kSwatch = 9;
constexpr int kStripHeight = 18;

QColor vramColour(VramUse use) {
  switch (use) {
    case VramUse::Group1Tiles: return QColor(70, 110, 200);
    case VramUse::Group2Tiles: return QColor(60, 160, 110);
    case VramUse::ScreenBlock: return QColor(220, 150, 40);
    case VramUse::Overflow: return QColor(210, 40, 40);
    case VramUse::Free: break;
  }
  return QColor(225, 225, 225);
}

}  // namespace

class BudgetPanel : public QWidget {
 public:
  explicit BudgetPanel(CBudgetBar& bar) : QWidget(&bar), bar_(bar) { setObjectName(QStringLiteral("budgetPanel")); }

  QSize sizeHint() const override {
    const int line = fontMetrics().lineSpacing();
    const int height = kMargin * 4 + line * (static_cast<int>(bar_.lines_.size()) + 2) +
                       kSwatch * static_cast<int>(bar_.swatches_.size()) + kStripHeight;
    int width = kSwatch * 16 + 80;
    for (const BudgetLine& text : bar_.lines_) {
      width = std::max(width, fontMetrics().horizontalAdvance(QString::fromStdString(text.text)));
    }
    return {kMargin * 2 + width, height};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const int line = fontMetrics().lineSpacing();
    const int textWidth = width() - 2 * kMargin;
    int y = kMargin;
    for (const BudgetLine& text : bar_.lines_) {
      painter.setPen(text.over ? QColor(200, 0, 0) : palette().windowText().color());
      painter.drawText(QRect(kMargin, y, textWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                       fontMetrics().elidedText(QString::fromStdString(text.text), Qt::ElideRight, textWidth));
      y += line;
    }
    // A row of 16 colours per palette; rows past the 16 banks framed in red.
    y += kMargin;
    for (std::size_t row = 0; row < bar_.swatches_.size(); ++row) {
      for (int colour = 0; colour < 16; ++colour) {
        painter.fillRect(kMargin + colour * kSwatch, y, kSwatch - 1, kSwatch - 1, bar_.swatches_[row][colour]);
      }
      if (row >= 16) {
        painter.setPen(QColor(210, 40, 40));
        painter.drawRect(kMargin - 1, y - 1, 16 * kSwatch, kSwatch);
      }
      y += kSwatch;
    }
    // Video memory in 2 KB slots; a line between the four 16 KB char blocks.
    y += kMargin;
    painter.setPen(palette().windowText().color());
    painter.drawText(QRect(kMargin, y, textWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("VRAM: tiles 1 | tiles 2 | screen blocks"));
    y += line;
    const double slot = static_cast<double>(textWidth) / kVramSlots;
    for (int n = 0; n < kVramSlots; ++n) {
      const int left = kMargin + static_cast<int>(n * slot);
      const int right = kMargin + static_cast<int>((n + 1) * slot);
      painter.fillRect(left, y, right - left - 1, kStripHeight, vramColour(bar_.vram_[static_cast<std::size_t>(n)]));
      if (n % 8 == 0) painter.drawLine(left, y - 2, left, y + kStripHeight + 1);
    }
    painter.drawRect(kMargin, y, textWidth - 1, kStripHeight);
  }

 private:
  CBudgetBar& bar_;
};

CBudgetBar::CBudgetBar(MapViewEngine& engine, QWidget* parent)
    : QDockWidget(QStringLiteral("Hardware Budget"), parent), engine_(engine) {
  setObjectName(QStringLiteral("BudgetBar"));
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
  panel_ = new BudgetPanel(*this);
  setWidget(panel_);
}

void CBudgetBar::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  updateFromEngine();
}

void CBudgetBar::updateFromEngine() {
  if (isHidden()) return;  // counted when it is shown again
  const MapProject& project = engine_.project();
  const BudgetFigures figures = budgetFigures(project, engine_.budget().counts());
  lines_ = budgetLines(figures);
  vram_ = vramLayout(figures);
  swatches_.clear();
  for (int key : figures.paletteKeys) {
    std::array<QColor, 16> row;
    const Tileset* page = project.registry().find(paletteKeyTileset(key));
    for (std::size_t colour = 0; page != nullptr && colour < 16; ++colour) {
      const std::uint8_t* rgb = page->palette.data() + (static_cast<std::size_t>(paletteKeyRow(key)) * 16 + colour) * 3;
      row[colour] = QColor(rgb[0], rgb[1], rgb[2]);
    }
    swatches_.push_back(row);
  }
  panel_->setMinimumHeight(panel_->sizeHint().height());
  panel_->updateGeometry();
  panel_->update();
}

}  // namespace qarto
