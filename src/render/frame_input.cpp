#include "render/frame_input.h"

#include "edit/engine/map_view_engine.h"
#include "edit/tools/paint_ink.h"
#include "edit/tools/stroke_plan.h"

namespace qarto {

std::vector<FlagIcon> predefinedFlagIcons() {
  return {
      FlagIcon{true, 12, ViewColor{255, 0, 255, 100}, 15},  // Solid
      FlagIcon{true, 13, ViewColor{0, 255, 0, 176}, 0},     // Jump Through
  };
}

void attachPreview(MapViewEngine& engine, StrokePlan& plan, FrameInput& input) {
  plan = engine.previewPlan();
  input.preview = &plan;
  MapProject& project = engine.project();
  input.autoPaintLayer = findAutoPaintTarget(project, engine.state().activeLayer(), project.autoPaintCollision).layer;
}

}  // namespace qarto
