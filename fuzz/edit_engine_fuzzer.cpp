// Random mouse, key and command sequences over a small random map, through
// the editing engine as the editor window drives it. With unlimited undo,
// undoing every entry must give back every layer's cells, entity block, size
// and parallax byte for byte, and redoing as many entries then the state the
// input left. After every event the budget's counts, kept up by the edits,
// equal a count of the whole map.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "edit_engine_input.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qarto::fuzz::EngineRun run(data, size);
  if (!run.ready()) return 0;
  const auto before = run.snapshot(false);
  run.playEvents();
  run.finishGestures();
  const auto after = run.snapshot(true);
  const std::size_t undone = run.undoEverything();
  FUZZ_CHECK(run.snapshot(false) == before);
  FUZZ_CHECK(run.budgetMatchesRecount());
  run.redo(undone);
  FUZZ_CHECK(run.snapshot(true) == after);
  FUZZ_CHECK(run.budgetMatchesRecount());
  return 0;
}
