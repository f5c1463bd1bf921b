#include <gtest/gtest.h>

#include "golden_image.h"

#include <cstdlib>
#include <cstring>

#include "offscreen/png_file.h"

namespace qarto::test {

::testing::AssertionResult matchesGolden(const std::string& name, const Frame& frame) {
  const std::string golden = std::string(QARTO_RENDER_GOLDEN_DIR) + "/" + name + ".png";
  std::string message;
  const char* update = std::getenv("QARTO_UPDATE_GOLDEN");
  if (update != nullptr && std::strcmp(update, "1") == 0) {
    if (!writePng(golden, frame, message)) return ::testing::AssertionFailure() << message;
    return ::testing::AssertionSuccess();
  }
  Frame expected;
  int differing = 0;
  Frame diff = frame;
  if (readPng(golden, expected, message) && expected.width == frame.width && expected.height == frame.height) {
    for (std::size_t i = 0, n = static_cast<std::size_t>(frame.width) * frame.height; i < n; ++i) {
      const bool same = std::memcmp(&frame.rgba[i * 4], &expected.rgba[i * 4], 3) == 0;
      const std::uint8_t grey = static_cast<std::uint8_t>(frame.rgba[i * 4 + 1] / 4 + 64);
      diff.rgba[i * 4] = same ? grey : 255;
      diff.rgba[i * 4 + 1] = same ? grey : 0;
      diff.rgba[i * 4 + 2] = same ? grey : 0;
      if (!same) ++differing;
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    message = std::to_string(differing) + " pixels differ";
  } else if (message.empty()) {
    message = "the golden image has another size";
  }
  std::string ignored;
  writePng(name + ".actual.png", frame, ignored);
  if (differing > 0) writePng(name + ".diff.png", diff, ignored);
  return ::testing::AssertionFailure() << name << ": " << message << " (see " << name << ".actual.png; "
                                       << "QARTO_UPDATE_GOLDEN=1 rewrites " << golden << ")";
}

}  // namespace qarto::test
