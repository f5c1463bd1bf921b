// Brush flips, alpha, trimming and clearing, tile page stepping, the detail
// brush, paint locking, auto-paint and auto-hide.

#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/entities/entity_placement.h"

namespace qarto {

void addBrushCommands(EditorCommands& commands) {
  MapViewEngine& engine = commands.engine();
  EngineState& state = engine.state();
  ToolState& tools = state.tools;
  DetailBrush& detail = state.detail;
  MapProject& project = engine.project();

  commands.add(cmd::kBrushHFlip, {{}, [&tools] { return tools.brushHFlip; }, [&state] {
                                    state.tools.brushHFlip = !state.tools.brushHFlip;
                                    // On an entity layer the selected entity turns round with it.
                                    flipSelectedEntity(state);
                                  }});
  commands.add(cmd::kBrushVFlip,
               {{}, [&tools] { return tools.brushVFlip; }, [&tools] { tools.brushVFlip = !tools.brushVFlip; }});
  commands.add(cmd::kBrushAlpha, {{}, [&tools] { return tools.brushAlpha; }, [&state] {
                                    if (!state.view.tileViewShown) state.tools.brushAlpha = !state.tools.brushAlpha;
                                  }});
  commands.add(cmd::kTrimBrush, {{}, {}, [&state, &project] {
                                   if (Brush* brush = state.currentBrush()) brush->trim(project.registry());
                                 }});
  commands.add(cmd::kClearBrush, {{}, {}, [&state, &project] {
                                    const MapLayer* active = state.activeLayer();
                                    if (!state.view.tileViewShown && active != nullptr && active->isEntityLayer()) {
                                      project.selectedEntity = -1;
                                    } else if (Brush* brush = state.currentBrush()) {
                                      brush->clear();
                                    }
                                  }});
  for (const bool forward : {true, false}) {
    commands.add(forward ? cmd::kNextBrush : cmd::kPrevBrush, {{}, {}, [&project, forward] {
                                                                 const std::int32_t id = steppedTilesetId(
                                                                     project.registry(), project.currentTilesetId,
                                                                     forward);
                                                                 if (id != 0) project.currentTilesetId = id;
                                                               }});
  }

  const std::pair<int, DetailShape> shapes[] = {{cmd::kShapeRectangle, DetailShape::Rectangle},
                                                {cmd::kShapeEllipse, DetailShape::Ellipse},
                                                {cmd::kShapeSlash, DetailShape::DiagonalSlash},
                                                {cmd::kShapeBackslash, DetailShape::DiagonalBackslash}};
  for (const auto& [id, shape] : shapes) {
    commands.add(id, {{}, [&detail, shape = shape] { return detail.shape == shape; },
                      [&detail, shape = shape] { detail.shape = shape; }});
  }
  commands.add(cmd::kGrowUniform, {{}, {}, [&detail] { detail.growUniform(); }});
  commands.add(cmd::kGrowWidth, {{}, {}, [&detail] { detail.growWidth(); }});
  commands.add(cmd::kGrowHeight, {{}, {}, [&detail] { detail.growHeight(); }});
  commands.add(cmd::kShrinkUniform, {{}, {}, [&detail] { detail.shrinkUniform(); }});
  commands.add(cmd::kShrinkWidth, {{}, {}, [&detail] { detail.shrinkWidth(); }});
  commands.add(cmd::kShrinkHeight, {{}, {}, [&detail] { detail.shrinkHeight(); }});

  const std::pair<int, PaintLock> locks[] = {{cmd::kPaintLockOff, PaintLock::Disabled},
                                             {cmd::kPaintLockHorizontal, PaintLock::HorizontalOnly},
                                             {cmd::kPaintLockVertical, PaintLock::VerticalOnly}};
  for (const auto& [id, lock] : locks) {
    commands.add(id, {{}, [&tools, lock = lock] { return tools.paintLock == lock; }, [&engine, &tools, lock = lock] {
                        tools.paintLock = lock;
                        engine.setPaneText(1, paintLockText(lock));
                      }});
  }
  commands.add(cmd::kAutoPaintCollision, {{}, [&project] { return project.autoPaintCollision; }, [&project] {
                                            project.autoPaintCollision = !project.autoPaintCollision;
                                          }});

  const std::pair<int, AutoHideMode> hides[] = {{cmd::kAutoHideNever, AutoHideMode::Never},
                                                {cmd::kAutoHideAlways, AutoHideMode::Always},
                                                {cmd::kAutoHideDuringSelection, AutoHideMode::DuringSelection}};
  for (const auto& [id, mode] : hides) {
    commands.add(id, {{}, [&tools, mode = mode] { return tools.autoHide == mode; },
                      [&tools, mode = mode] { tools.autoHide = mode; }});
  }
}

}  // namespace qarto
