#include "render/layers/layer_composer.h"

#include <algorithm>
#include <cmath>

#include "model/project/map_layer.h"
#include "render/layers/hidden_cells.h"
#include "render/layers/page_cache.h"

namespace qarto {

namespace {

// A cell's key: what decides its picture. The preview-mark bit of the flag
// byte plays no part: a stored cell is drawn by its tile and flips alone.
constexpr std::uint32_t kHiddenKey = 0xFFFFFFFFu;

std::uint32_t keyOf(const MapCell& cell) {
  return static_cast<std::uint16_t>(cell.tile) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(cell.tileset)) << 16 |
         static_cast<std::uint32_t>(cell.flags & (kCellHFlip | kCellVFlip)) << 24;
}

bool sameView(const LayerView& a, const LayerView& b) {
  return a.cell == b.cell && a.ox == b.ox && a.oy == b.oy && a.originX == b.originX && a.originY == b.originY &&
         a.windowWidth == b.windowWidth && a.windowHeight == b.windowHeight;
}

}  // namespace

void LayerComposer::buildAxis(Axis& axis, int window, int origin, int first, int end, bool horizontal,
                              const LayerView& view) {
  axis.cell.assign(static_cast<std::size_t>(window), -1);
  axis.texel.assign(static_cast<std::size_t>(window), 0);
  axis.runs.clear();
  axis.from = window;
  axis.to = 0;
  for (int index = first; index < end; ++index) {
    const float low = horizontal ? view.edgeX(index) : view.edgeY(index);
    const float high = horizontal ? view.edgeX(index + 1) : view.edgeY(index + 1);
    const float span = high - low;
    if (span <= 0.0f) continue;
    const int start = std::max(0, static_cast<int>(low) + origin);
    const int stop = std::min(window, static_cast<int>(high) + origin);
    for (int pixel = start; pixel < stop; ++pixel) {
      // The texel the pixel centre falls on, as the quad's interpolated
      // texture coordinate picks it.
      const float inside = (static_cast<float>(pixel - origin) + 0.5f - low) / span;
      const int texel = std::clamp(static_cast<int>(std::floor(inside * 8.0f)), 0, 7);
      axis.cell[static_cast<std::size_t>(pixel)] = index - first;
      axis.texel[static_cast<std::size_t>(pixel)] = texel;
    }
    if (stop > start) axis.runs.push_back({start, stop, index - first});
    axis.from = std::min(axis.from, start);
    axis.to = std::max(axis.to, stop);
  }
  if (axis.to < axis.from) axis.from = axis.to = 0;
}

void LayerComposer::snapshot(const MapLayer& layer, const HiddenCells& hidden, std::vector<std::uint32_t>& keys) const {
  const int columns = range_.endX - range_.firstX;
  keys.resize(static_cast<std::size_t>(range_.count()));
  std::size_t k = 0;
  for (int y = range_.firstY; y < range_.endY; ++y) {
    const MapCell* row = &layer.cells[static_cast<std::size_t>(y) * layer.width];
    for (int x = range_.firstX; x < range_.endX; ++x) keys[k++] = keyOf(row[x]);
  }
  for (std::int64_t index : hidden.indices()) {
    const int x = static_cast<int>(index % layer.width);
    const int y = static_cast<int>(index / layer.width);
    if (range_.contains(x, y)) {
      keys[static_cast<std::size_t>(y - range_.firstY) * columns + static_cast<std::size_t>(x - range_.firstX)] =
          kHiddenKey;
    }
  }
}

LayerComposer::Rect LayerComposer::cellRect(int column, int row) const {
  Rect rect;
  rect.x0 = std::max(0, static_cast<int>(view_.edgeX(column)) + view_.originX);
  rect.x1 = std::min(width_, static_cast<int>(view_.edgeX(column + 1)) + view_.originX);
  rect.y0 = std::max(0, static_cast<int>(view_.edgeY(row)) + view_.originY);
  rect.y1 = std::min(height_, static_cast<int>(view_.edgeY(row + 1)) + view_.originY);
  return rect;
}

void LayerComposer::compose(const PageCache& pages, const Rect& rect, std::uint32_t* pixels) const {
  const int width = rect.x1 - rect.x0;
  if (width <= 0) return;
  // The cell runs that cross the rectangle.
  const auto firstRun = std::lower_bound(columns_.runs.begin(), columns_.runs.end(), rect.x0,
                                         [](const Run& run, int x) { return run.end <= x; });
  const int columns = range_.endX - range_.firstX;
  const int* texels = columns_.texel.data();
  for (int y = rect.y0; y < rect.y1; ++y) {
    std::uint32_t* out = pixels + static_cast<std::size_t>(y - rect.y0) * width - rect.x0;
    std::fill(out + rect.x0, out + rect.x1, 0u);
    const int cellRow = rows_.cell[static_cast<std::size_t>(y)];
    if (cellRow < 0) continue;
    const int texelRow = rows_.texel[static_cast<std::size_t>(y)];
    const std::uint32_t* keys = &keys_[static_cast<std::size_t>(cellRow) * columns];
    for (auto run = firstRun; run != columns_.runs.end() && run->start < rect.x1; ++run) {
      // One cell: its page row is looked up once for all its pixels.
      const std::uint32_t key = keys[run->cell];
      const PageRgba* page = key == kHiddenKey ? nullptr : pages.find(static_cast<std::int8_t>((key >> 16) & 0xFF));
      const int tile = static_cast<std::int16_t>(key & 0xFFFF);
      if (page == nullptr || tile < 0 || tile >= page->tileCount || page->tilesPerRow <= 0) continue;
      const bool hflip = (key >> 24) & kCellHFlip;
      const bool vflip = (key >> 24) & kCellVFlip;
      const int py = (tile / page->tilesPerRow) * 8 + (vflip ? 7 - texelRow : texelRow);
      const std::uint32_t* source = &page->pixels[static_cast<std::size_t>(py) * page->width +
                                                  static_cast<std::size_t>((tile % page->tilesPerRow) * 8)];
      const int from = std::max(run->start, rect.x0);
      const int to = std::min(run->end, rect.x1);
      if (hflip) {
        for (int x = from; x < to; ++x) out[x] = source[7 - texels[x]];
      } else {
        for (int x = from; x < to; ++x) out[x] = source[texels[x]];
      }
    }
  }
}

bool LayerComposer::refresh(const MapLayer& layer, const LayerView& view, const PageCache& pages,
                            const HiddenCells& hidden, std::vector<Rect>& changed) {
  const CellRange range = visibleCells(layer, view);
  const bool sameLayer = layer_ == &layer && layerWidth_ == layer.width && layerHeight_ == layer.height;
  const bool full = !sameLayer || !sameView(view, view_) || pageGeneration_ != pages.generation() ||
                    width_ != view.windowWidth || height_ != view.windowHeight;

  if (full) {
    layer_ = &layer;
    layerWidth_ = layer.width;
    layerHeight_ = layer.height;
    view_ = view;
    range_ = range;
    pageGeneration_ = pages.generation();
    width_ = view.windowWidth;
    height_ = view.windowHeight;
    buildAxis(columns_, width_, view.originX, range.firstX, range.endX, true, view);
    buildAxis(rows_, height_, view.originY, range.firstY, range.endY, false, view);
    bounds_ = range.empty() ? Rect{} : Rect{columns_.from, rows_.from, columns_.to, rows_.to};
    snapshot(layer, hidden, keys_);
    return true;
  }

  // Same view: only the cells whose key changed.
  snapshot(layer, hidden, scratchKeys_);
  std::size_t k = 0;
  for (int y = range_.firstY; y < range_.endY; ++y) {
    for (int x = range_.firstX; x < range_.endX; ++x, ++k) {
      if (scratchKeys_[k] == keys_[k]) continue;
      keys_[k] = scratchKeys_[k];
      const Rect rect = cellRect(x, y);
      if (rect.x1 > rect.x0 && rect.y1 > rect.y0) changed.push_back(rect);
    }
  }
  return false;
}

}  // namespace qarto
