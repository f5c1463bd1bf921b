#include "render/frame_input.h"

#include "edit/collision/collision_word.h"
#include "edit/engine/map_view_engine.h"
#include "edit/tools/paint_ink.h"
#include "edit/tools/stroke_plan.h"

namespace qarto {

std::vector<FlagIcon> predefinedFlagIcons() {
  std::vector<FlagIcon> icons;
  for (const FlagDefinition& flag : flagDefinitions()) {
    if (!flag.inUse) break;
    icons.push_back(FlagIcon{true, flag.bit, ViewColor{flag.red, flag.green, flag.blue, flag.alpha}, flag.icon});
  }
  return icons;
}

void attachPreview(MapViewEngine& engine, StrokePlan& plan, FrameInput& input) {
  plan = engine.previewPlan();
  input.preview = &plan;
  MapProject& project = engine.project();
  input.autoPaintLayer = findAutoPaintTarget(project, engine.state().activeLayer(), project.autoPaintCollision).layer;
  input.budget = engine.state().tintUsedOnce ? &engine.budget().counts() : nullptr;
}

}  // namespace qarto
