// Random mouse, key and command sequences over a small random map, through
// the editing engine as the editor window drives it. With unlimited undo,
// undoing every entry must give back every layer's cells and entity block
// byte for byte, and redoing them all the layers as the events left them
// (with their own undos done again).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "edit_engine_input.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qarto::fuzz::EngineRun run(data, size);
  if (!run.ready()) return 0;
  const auto before = run.everyLayer();
  run.playEvents();
  run.finishGestures();
  run.redoEverything();  // what the events' own undos took back
  const auto after = run.everyLayer();
  run.undoEverything();
  FUZZ_CHECK(run.everyLayer() == before);
  run.redoEverything();
  FUZZ_CHECK(run.everyLayer() == after);
  return 0;
}
