#include "edit/tools/tool_state.h"

namespace qarto {

ViewPoint lockedPoint(const ToolState& tools, ViewPoint mouse) {
  if (!tools.leftHeld) return mouse;
  if (tools.paintLock == PaintLock::VerticalOnly) mouse.x = tools.pressPoint.x;
  if (tools.paintLock == PaintLock::HorizontalOnly) mouse.y = tools.pressPoint.y;
  return mouse;
}

const char* paintLockText(PaintLock lock) {
  switch (lock) {
    case PaintLock::Disabled:
      return " Paint Locking: disabled";
    case PaintLock::HorizontalOnly:
      return " Paint Locking: allow horizontal only";
    case PaintLock::VerticalOnly:
      return " Paint Locking: allow vertical only";
  }
  return "";
}

}  // namespace qarto
