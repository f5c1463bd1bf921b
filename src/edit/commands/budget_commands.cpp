#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/view/cells_shown.h"

namespace qarto {

void exportShowingCells(MapViewEngine& engine, ExportOptions options,
                        ExportOutcome (*run)(EditorSession&, const ExportOptions&)) {
  options.offerShow = true;
  const ExportOutcome outcome = run(engine.session(), options);
  if (!outcome.showCells) return;
  if (engine.state().view.tileViewShown) engine.toggleView();
  showCellsAtFault(engine.state(), *outcome.showCells);
}

void addBudgetCommands(EditorCommands& commands) {
  EngineState& state = commands.engine().state();
  commands.add(cmd::kToggleUsedOnceTint, {{}, [&state] { return state.tintUsedOnce; }, [&state] {
                                            state.tintUsedOnce = !state.tintUsedOnce;
                                            state.redraw();
                                          }});
}

}  // namespace qarto
