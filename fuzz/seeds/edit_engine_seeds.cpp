// Seeds for the editing engine fuzzer: a map header and a few gestures
// (tile picking in the tile view, a paint drag, a fill, a stamp or flag
// rectangle, the Flags and Entities bars, a resize, undo and redo).

#include <cstdint>
#include <vector>

#include "seed_files.h"

namespace {

std::vector<std::uint8_t> gestureSeed(std::uint8_t layers, std::uint8_t tool) {
  std::vector<std::uint8_t> b = {200, 150, 20, 15, layers, 5, 3, 2, 77};
  for (int i = 0; i < 20 * 15 * 4; ++i) b.push_back(static_cast<std::uint8_t>(i * 37));
  const std::vector<std::uint8_t> events = {
      5, 0, 0,            // Space: the tile view
      0, 0, 0, 40, 40,    // left press on the page
      3, 0, 0, 40, 40,    // release
      5, 0, 0,            // back to the map
      5, 0, tool,         // a tool key
      1, 0, 1, 90, 90,    // move with the left button
      0, 0, 0, 90, 90,    // press
      1, 0, 1, 110, 95,   // drag
      3, 0, 0, 110, 95,   // release
      0, 1, 1, 60, 60,    // middle press with Shift
      3, 1, 1, 80, 80,    // middle release
      5, 2, 8,            // Ctrl+Z
      12, 0, 4, 35, 25,   // every layer resized to 36 x 26 about the centre
      5, 2, 8,            // Ctrl+Z
      5, 2, 29,           // Ctrl+Y
      10, 0, 2, 0,        // the Flags bar: Solid off
      11, 0, 1,           // the Entities bar: Spawn
      3, 0, 0, 120, 99,   // release: the new entity moves
      11, 0, 3,           // Clone
      5, 0, 9,            // H: the selected entity turns round
      11, 0, 2,           // Delete
  };
  b.insert(b.end(), events.begin(), events.end());
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  return qarto::seeds::seedMain(argc, argv, [](const std::string& folder) {
    bool ok = true;
    const std::uint8_t tools[] = {13, 14, 15, 16, 17, 18};  // F1 to F6 in the fuzzer's key list
    for (std::uint8_t layers : {0, 3, 7, 27}) {
      for (std::uint8_t tool : tools) {
        ok = ok && qarto::seeds::writeSeed(folder, "gestures-" + std::to_string(layers) + "-" + std::to_string(tool),
                                           gestureSeed(layers, tool));
      }
    }
    return ok;
  });
}
