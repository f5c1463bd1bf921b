// Cut, Copy, Paste, Delete, Select All, the Select tool and the scope.

#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/entities/entity_placement.h"
#include "edit/selection/region_edit.h"

namespace qarto {

void addRegionCommands(EditorCommands& commands) {
  MapViewEngine& engine = commands.engine();
  EngineState& state = engine.state();
  RegionSelection& selection = state.selection;
  const auto onMap = [&engine, &state] { return engine.mapOpen() && !state.view.tileViewShown; };
  const auto selected = [onMap, &selection] { return onMap() && selection.rect.has_value(); };
  const auto entityChosen = [&engine, &state] {
    return state.tools.tool == ToolKind::EntityPlacement && engine.project().selectedEntity >= 0;
  };

  commands.add(cmd::kCopy, {selected, {}, [&state] { copySelection(state); }});
  commands.add(cmd::kCut, {selected, {}, [&state] { cutSelection(state); }});
  commands.add(cmd::kDelete, {[selected, entityChosen] { return entityChosen() || selected(); }, {},
                              [&state, entityChosen] {
                                if (entityChosen()) {
                                  deleteSelectedEntity(state);
                                } else {
                                  deleteSelection(state);
                                }
                              }});
  commands.add(cmd::kPaste, {[onMap, &state] { return onMap() && state.clipboard->holdsCells(); }, {},
                             [&state] { startPaste(state); }});
  commands.add(cmd::kSelectAll, {onMap, {}, [&state] { selectAll(state); }});
  commands.add(cmd::kSelectMode, {[&engine] { return engine.mapOpen(); },
                                  [&state] { return state.tools.tool == ToolKind::Select; },
                                  [&engine] { engine.mapTools().setTool(ToolKind::Select); }});
  commands.add(cmd::kRegionAllLayers, {{}, [&selection] { return selection.scope == RegionScope::AllTileLayers; },
                                       [&selection] {
                                         selection.scope = selection.scope == RegionScope::AllTileLayers
                                                               ? RegionScope::ActiveLayer
                                                               : RegionScope::AllTileLayers;
                                       }});

  // Esc lets go of a paste or a selection before it empties the brush.
  EditorCommands::Handler clear = commands.handler(cmd::kClearBrush);
  commands.add(cmd::kClearBrush, {clear.enabled, clear.checked, [&state, &selection, run = clear.run] {
                                    if (state.view.tileViewShown) {
                                      if (run) run();
                                    } else if (selection.floating) {
                                      selection.floating.reset();
                                    } else if (selection.rect) {
                                      selection.rect.reset();
                                    } else if (run) {
                                      run();
                                    }
                                  }});
}

}  // namespace qarto
