#include "edit/tile_view/tile_picker.h"

#include <algorithm>

#include "edit/brush/brush.h"
#include "edit/brush/brush_picking.h"
#include "edit/state/engine_state.h"
#include "edit/tile_view/tile_view_layout.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

const Tileset* TilePicker::currentPage() const {
  return state_.project().registry().find(state_.project().currentTilesetId);
}

Brush* TilePicker::currentPageBrush() { return state_.brushes.forTileset(state_.project().currentTilesetId); }

void TilePicker::refresh() {
  TileViewState& hover = state_.tileView;
  const ViewPoint mouse = state_.view.mouse;
  const float zoom = state_.view.tileZoom;
  const TilesetRegistry& registry = state_.project().registry();

  const std::vector<TabLayout> tabs = layoutTabs(registry);
  int widest = tabs.empty() ? 0 : tabs.back().left + tabs.back().width();
  int tallest = 0;
  for (const auto& [id, page] : registry) {
    widest = std::max(widest, truncToInt(static_cast<float>(page->imageWidth) * zoom));
    tallest = std::max(tallest, truncToInt(static_cast<float>(page->imageHeight) * zoom));
  }
  hover.contentWidth = widest;
  hover.contentHeight = tallest + kTabStripHeight;

  const Tileset* page = currentPage();
  const bool onPage = page != nullptr && state_.view.mouseInside && pointOverPage(*page, zoom, mouse);
  hover.overPage = onPage || (state_.tools.rectangleStarted && hover.overPage);
  hover.hoverTile.reset();
  if (hover.overPage && page != nullptr) hover.hoverTile = tileUnderPoint(*page, zoom, mouse);

  hover.overTab = false;
  hover.tabTilesetId = 0;
  for (const TabLayout& tab : tabs) {
    if (state_.view.mouseInside && tab.hit(mouse)) {
      hover.overTab = true;
      hover.tabTilesetId = tab.tilesetId;
      break;
    }
  }
}

void TilePicker::move(ViewPoint /*point*/, ButtonSet held, Modifiers modifiers) {
  refresh();
  const Tileset* page = currentPage();
  Brush* brush = currentPageBrush();
  if (!held.left || page == nullptr || brush == nullptr || !state_.tileView.hoverTile) return;
  const CellPoint tile = *state_.tileView.hoverTile;
  if (brush->empty()) state_.tools.selecting = true;
  if (modifiers.ctrl) {
    brush->remove(tile.x, tile.y);
  } else if (modifiers.shift || state_.tools.selecting) {
    brush->addFromPage(*page, tile.x, tile.y);
  }
  state_.redraw();
}

void TilePicker::leftPress(ViewPoint /*point*/, Modifiers modifiers) {
  refresh();
  if (state_.tileView.overTab) {
    state_.project().currentTilesetId = state_.tileView.tabTilesetId;
    refresh();
  } else if (state_.tileView.hoverTile) {
    const Tileset* page = currentPage();
    Brush* brush = currentPageBrush();
    if (page != nullptr && brush != nullptr) {
      const CellPoint tile = *state_.tileView.hoverTile;
      // A plain click starts a new selection.
      if (!brush->empty() && !modifiers.ctrl && !modifiers.shift) brush->clear();
      if (modifiers.ctrl) {
        brush->remove(tile.x, tile.y);
      } else {
        state_.tools.selecting = true;
        brush->addFromPage(*page, tile.x, tile.y);
      }
    }
  }
  state_.redraw();
}

void TilePicker::leftRelease() { state_.tools.selecting = false; }

void TilePicker::middlePress(ViewPoint /*point*/, Modifiers modifiers) {
  refresh();
  Brush* brush = currentPageBrush();
  if (!state_.tileView.hoverTile || brush == nullptr) return;
  if (!brush->empty() && !modifiers.ctrl && !modifiers.shift) brush->clear();
  state_.tools.rectangleStarted = true;
  state_.tools.rectangleStart = *state_.tileView.hoverTile;
  state_.redraw();
}

void TilePicker::middleRelease(ViewPoint /*point*/, Modifiers modifiers) {
  refresh();
  ToolState& tools = state_.tools;
  if (!tools.rectangleStarted) return;
  tools.rectangleStarted = false;
  const Tileset* page = currentPage();
  Brush* brush = currentPageBrush();
  if (page != nullptr && brush != nullptr && state_.tileView.hoverTile) {
    const CellRect rect = CellRect::spanning(tools.rectangleStart, *state_.tileView.hoverTile);
    if (modifiers.ctrl) {
      removeRectangle(*brush, rect);
    } else {
      pickPageRectangle(*brush, *page, rect);
    }
  }
  refresh();
  state_.redraw();
}

}  // namespace qarto
