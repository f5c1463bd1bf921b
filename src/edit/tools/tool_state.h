#pragma once

#include <cstdint>

#include "edit/view/view_geometry.h"

namespace qarto {

enum class ToolKind : std::int32_t {
  Paint = 1,
  DetailPaint = 2,
  RubberStamp = 3,
  FloodFill = 4,
  FlagPaint = 5,
  EntityPlacement = 6,
  Select = 7,  // a rectangle of cells for Cut, Copy and Delete
};

enum class PaintLock : std::int32_t { Disabled = 0, VerticalOnly = 1, HorizontalOnly = 2 };
inline constexpr PaintLock kPaintLocks[] = {PaintLock::Disabled, PaintLock::VerticalOnly, PaintLock::HorizontalOnly};

// The status bar's paint-locking text: " Paint Locking: disabled" ...
const char* paintLockText(PaintLock lock);

// Which layers the drawing hides besides the active one.
enum class AutoHideMode : std::int32_t { Never = 0, Always = 1, DuringSelection = 2 };

// The tool settings and the state of the mouse gesture in progress. The
// map view's tools write it; the drawing reads it.
struct ToolState {
  ToolKind tool = ToolKind::Paint;
  bool brushHFlip = false;
  bool brushVFlip = false;
  bool brushAlpha = false;

  bool patternMode = false;
  CellPoint patternAnchor;

  PaintLock paintLock = PaintLock::Disabled;
  ViewPoint pressPoint;  // mouse position of the last left press
  bool leftHeld = false;

  AutoHideMode autoHide = AutoHideMode::DuringSelection;

  bool selecting = false;      // a stamp or flag selection is being made
  bool rectangleStarted = false;
  CellPoint rectangleStart;    // a map cell, or a tile of the page in the tile view
};

// The mouse point a stroke uses: while the left button is held, a vertical
// lock keeps the x of the press and a horizontal lock its y.
ViewPoint lockedPoint(const ToolState& tools, ViewPoint mouse);

}  // namespace qarto
