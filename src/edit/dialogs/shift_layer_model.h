#pragma once

#include <string>
#include <vector>

#include "model/project/map_cell.h"

namespace qarto {

class EditorSession;
struct MapLayer;

// The Shift Layer Data dialog without its window. While it is open the
// active layer shows a working copy of its cells, rebuilt after every
// change, so the map view previews the shift live; the layer's own cells
// are set aside. OK keeps the copy as one undo step; Cancel (or closing the
// model without OK) gives the layer back exactly the cells it had.
//
// Each slider runs from 0 to twice the layer's extent - 1 and starts in the
// middle (no shift); the shift is the position minus the extent, from
// -extent to extent - 1. Without wrapping on an axis, cells pushed past the
// edge are dropped and the vacated cells are cleared: all fields 0 and the
// id of the first tile page that is not the collision page (0 when there is
// none). With wrapping the cells come round on the other side.
//
// The dialog is modal: nothing else may change the layer while it is open.
class ShiftLayerModel {
 public:
  explicit ShiftLayerModel(EditorSession& session) : session_(session) {}
  ~ShiftLayerModel();
  ShiftLayerModel(const ShiftLayerModel&) = delete;
  ShiftLayerModel& operator=(const ShiftLayerModel&) = delete;

  // Opens on the active layer. False, with no dialog to show, without an
  // active layer, on an entity layer (the user is told) or when the working
  // copy cannot be allocated (the user is told).
  bool begin();
  bool isOpen() const { return layer_ != nullptr; }
  // "Qarto v0.99 - Shift Layer Data".
  std::string title() const;

  // Slider ranges and positions. Positions are clamped to the range.
  int horizontalMaximum() const { return 2 * width_ - 1; }
  int verticalMaximum() const { return 2 * height_ - 1; }
  int horizontalPageSize() const { return width_ / 8; }
  int verticalPageSize() const { return height_ / 8; }
  int horizontalPosition() const { return horizontal_; }
  int verticalPosition() const { return vertical_; }
  void setHorizontalPosition(int position);
  void setVerticalPosition(int position);
  // The "<" and ">" buttons: -1 or +1.
  void stepHorizontal(int delta) { setHorizontalPosition(horizontal_ + delta); }
  void stepVertical(int delta) { setVerticalPosition(vertical_ + delta); }
  void setWrapHorizontally(bool wrap);
  void setWrapVertically(bool wrap);
  bool wrapHorizontally() const { return wrapH_; }
  bool wrapVertically() const { return wrapV_; }
  // Both sliders back to no shift.
  void reset();

  int shiftX() const { return horizontal_ - width_; }
  int shiftY() const { return vertical_ - height_; }
  // The read-only boxes beside the sliders ("%i").
  std::string horizontalShiftText() const;
  std::string verticalShiftText() const;

  // OK: the layer keeps the shifted cells; one undo entry gives back the
  // former ones. Marks the project modified.
  void confirm();
  // Cancel: the layer gets its own cells back, byte for byte.
  void cancel();

 private:
  void rebuild();
  void close();

  EditorSession& session_;
  MapLayer* layer_ = nullptr;
  std::vector<MapCell> original_;  // the layer's own cells, set aside
  int width_ = 0;
  int height_ = 0;
  int horizontal_ = 0;
  int vertical_ = 0;
  bool wrapH_ = false;
  bool wrapV_ = false;
};

}  // namespace qarto
