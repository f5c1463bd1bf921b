// Tool selection, Undo and Redo.

#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/palette/brush_palettes.h"

namespace qarto {

void addToolCommands(EditorCommands& commands) {
  MapViewEngine& engine = commands.engine();
  MapProject& project = engine.project();
  const ToolState& tools = engine.state().tools;

  const std::pair<int, ToolKind> working[] = {{cmd::kPaintMode, ToolKind::Paint},
                                              {cmd::kDetailPaintMode, ToolKind::DetailPaint},
                                              {cmd::kRubberStampMode, ToolKind::RubberStamp},
                                              {cmd::kFloodFillMode, ToolKind::FloodFill},
                                              {cmd::kFlagPaintMode, ToolKind::FlagPaint},
                                              {cmd::kEntityPlacementMode, ToolKind::EntityPlacement}};
  for (const auto& [id, tool] : working) {
    commands.add(id, {[&engine] { return engine.mapOpen(); }, [&tools, tool = tool] { return tools.tool == tool; },
                      [&engine, tool = tool] { engine.mapTools().setTool(tool); }});
  }

  // A step may rearrange a page's palette rows: the brushes follow.
  commands.add(cmd::kUndo, {[&project] { return project.journal().canUndo(); }, {}, [&project, &engine] {
                              project.journal().undo(project);
                              resyncBrushPalettes(engine.state().brushes, project.registry());
                            }});
  commands.add(cmd::kRedo, {[&project] { return project.journal().canRedo(); }, {}, [&project, &engine] {
                              project.journal().redo(project);
                              resyncBrushPalettes(engine.state().brushes, project.registry());
                            }});
}

}  // namespace qarto
