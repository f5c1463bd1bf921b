#pragma once

#include <memory>

#include "edit/tools/stroke_plan.h"
#include "edit/tools/tool_loop.h"
#include "edit/view/input_event.h"

namespace qarto {

struct EngineState;
struct MapLayer;
struct CellRect;
class Navigator;
enum class ToolKind : std::int32_t;

// Turns mouse and modifier events over the map into tool actions: a
// ToolLoop for each left-button gesture, the middle-button rectangle of the
// rubber stamp or scrolling, pattern mode and the selection flag.
class MapTools {
 public:
  MapTools(EngineState& state, Navigator& navigator) : state_(state), navigator_(navigator) {}

  void leftPress(ViewPoint point, Modifiers modifiers);
  void leftRelease(ViewPoint point);
  // `previous` is the mouse position before this move.
  void move(ViewPoint previous, ViewPoint point, ButtonSet held, Modifiers modifiers);
  void middlePress(ViewPoint point, Modifiers modifiers);
  void middleRelease(ViewPoint point, Modifiers modifiers);

  // Shift or Ctrl went down or up with the mouse over the view.
  void modifierDown(Modifiers held);
  void modifierUp();

  // Closes the open gesture, if any: its undo entry is filed under its own
  // layer before anything else changes.
  void endStroke() { loop_.reset(); }
  bool strokeOpen() const { return loop_ != nullptr; }

  void setTool(ToolKind tool);

  // The stroke the current tool would write at the mouse, for the preview.
  StrokePlan previewPlan();
  CursorKind cursor() const;

 private:
  bool usesRectangle() const;
  void paintFlagRectangle(MapLayer& layer, const CellRect& rect);
  ToolLoop* loopForActiveLayer();
  StrokePlan pastePlan(const MapLayer& active) const;

  EngineState& state_;
  Navigator& navigator_;
  std::unique_ptr<ToolLoop> loop_;
};

}  // namespace qarto
