// Seeds for the editing engine fuzzer: a map header and a few gestures
// (tile picking in the tile view, a paint drag, a fill, a stamp rectangle,
// a resize, undo and redo).

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
      5, 2, 28,           // Ctrl+Y
  };
  b.insert(b.end(), events.begin(), events.end());
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  return qarto::seeds::seedMain(argc, argv, [](const std::string& folder) {
    bool ok = true;
    const std::uint8_t tools[] = {13, 14, 15, 16};  // F1 to F4 in the fuzzer's key list
    for (std::uint8_t layers : {0, 3, 27}) {
      for (std::uint8_t tool : tools) {
        ok = ok && qarto::seeds::writeSeed(folder, "gestures-" + std::to_string(layers) + "-" + std::to_string(tool),
                                           gestureSeed(layers, tool));
      }
    }
    return ok;
  });
}
