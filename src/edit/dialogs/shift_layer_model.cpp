#include "edit/dialogs/shift_layer_model.h"

#include <algorithm>
#include <string>
#include <utility>

#include "edit/layers/layer_support.h"
#include "model/allocation.h"
#include "model/app_title.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

constexpr const char* kEntityLayerRefused = "Shifting of entity layers is not currently supported.";
constexpr const char* kTileAllocationFailed = "Error....tile array allocation failed.  Try closing other applications. ";

int wrapped(int value, int extent) {
  const int rest = value % extent;
  return rest < 0 ? rest + extent : rest;
}

// Row `from` moved by dx into row `to`, wrapping round or dropping what
// leaves the row.
void shiftRow(const MapCell* from, MapCell* to, int width, int dx, bool wrap) {
  if (wrap) {
    const int split = wrapped(dx, width);
    std::copy(from, from + width - split, to + split);
    std::copy(from + width - split, from + width, to);
  } else if (dx >= 0) {
    if (dx < width) std::copy(from, from + width - dx, to + dx);
  } else if (-dx < width) {
    std::copy(from - dx, from + width, to);
  }
}

}  // namespace

ShiftLayerModel::~ShiftLayerModel() { cancel(); }

bool ShiftLayerModel::begin() {
  if (isOpen()) return true;
  MapProject& project = session_.project();
  MapLayer* const layer = project.activeLayer;
  if (!project.contains(layer)) return false;
  if (layer->isEntityLayer()) {
    showLayerMessage(session_, kEntityLayerRefused, MessageIcon::Information);
    return false;
  }
  if (!hasFullCells(*layer) || layer->cells.empty()) return false;

  std::vector<MapCell> working;
  if (!allocateZeroed(working, layer->cells.size())) {
    showLayerMessage(session_, kTileAllocationFailed, MessageIcon::Exclamation);
    return false;
  }
  std::copy(layer->cells.begin(), layer->cells.end(), working.begin());
  original_ = std::exchange(layer->cells, std::move(working));
  layer_ = layer;
  width_ = layer->width;
  height_ = layer->height;
  horizontal_ = width_;
  vertical_ = height_;
  wrapH_ = false;
  wrapV_ = false;
  return true;
}

std::string ShiftLayerModel::title() const { return caption(" - Shift Layer Data"); }

void ShiftLayerModel::setHorizontalPosition(int position) {
  if (!isOpen()) return;
  horizontal_ = std::clamp(position, 0, horizontalMaximum());
  rebuild();
}

void ShiftLayerModel::setVerticalPosition(int position) {
  if (!isOpen()) return;
  vertical_ = std::clamp(position, 0, verticalMaximum());
  rebuild();
}

void ShiftLayerModel::setWrapHorizontally(bool wrap) {
  if (!isOpen()) return;
  wrapH_ = wrap;
  rebuild();
}

void ShiftLayerModel::setWrapVertically(bool wrap) {
  if (!isOpen()) return;
  wrapV_ = wrap;
  rebuild();
}

void ShiftLayerModel::reset() {
  if (!isOpen()) return;
  horizontal_ = width_;
  vertical_ = height_;
  rebuild();
}

std::string ShiftLayerModel::horizontalShiftText() const { return std::to_string(shiftX()); }

std::string ShiftLayerModel::verticalShiftText() const { return std::to_string(shiftY()); }

void ShiftLayerModel::rebuild() {
  std::vector<MapCell>& out = layer_->cells;
  const int dx = shiftX();
  const int dy = shiftY();
  if (!(wrapH_ && wrapV_)) {
    // Vacated cells show the first normal page; without one they stay all
    // zero, and the cells are moved all the same.
    MapCell cleared{};
    if (const Tileset* page = session_.registry().firstNonCollision()) {
      cleared.tileset = static_cast<std::int8_t>(page->id);
    }
    std::fill(out.begin(), out.end(), cleared);
  }
  const auto width = static_cast<std::size_t>(width_);
  for (int y = 0; y < height_; ++y) {
    int target = y + dy;
    if (wrapV_) {
      target = wrapped(target, height_);
    } else if (target < 0 || target >= height_) {
      continue;
    }
    shiftRow(original_.data() + static_cast<std::size_t>(y) * width,
             out.data() + static_cast<std::size_t>(target) * width, width_, dx, wrapH_);
  }
}

void ShiftLayerModel::confirm() {
  if (!isOpen()) return;
  MapProject& project = session_.project();
  project.journal().recordLayerCellsReplaced(layer_, std::move(original_), static_cast<std::uint16_t>(width_),
                                             static_cast<std::uint16_t>(height_));
  project.modified = true;
  close();
}

void ShiftLayerModel::cancel() {
  if (!isOpen()) return;
  layer_->cells.swap(original_);
  close();
}

void ShiftLayerModel::close() {
  layer_ = nullptr;
  original_ = {};
}

}  // namespace qarto
