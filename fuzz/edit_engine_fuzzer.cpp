// Random mouse, key and command sequences over a small random map, through
// the editing engine as the editor window drives it. With unlimited undo,
// undoing every entry must give back every layer's cells byte for byte.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "edit_engine_input.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qarto::fuzz::EngineRun run(data, size);
  if (!run.ready()) return 0;
  const std::vector<std::vector<qarto::MapCell>> before = run.cellsOfEveryLayer();
  run.playEvents();
  run.finishGestures();
  run.undoEverything();
  FUZZ_CHECK(run.cellsOfEveryLayer() == before);
  return 0;
}
