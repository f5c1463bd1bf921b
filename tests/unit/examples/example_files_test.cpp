#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "edit/session/map_file_commands.h"
#include "example_content.h"
#include "support/temp_folder.h"
#include "support/test_session.h"

namespace qarto {
namespace {

const std::string kCommitted = QARTO_EXAMPLES_DIR;

// The map stores its own name relative to its folder, so opening it from
// there and saving it again gives the same bytes.
TEST(ExampleFiles, DemoMapRoundTripsByteForByte) {
  test::TempFolder folder;
  const auto committed = test::readBytes(kCommitted + "/" + examples::kDemoMapFile);
  test::writeBytes(folder.file(examples::kDemoMapFile), committed);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  test::TestSession s;
  const bool loaded = loadMap(s.session, std::string(examples::kDemoMapFile));
  const bool saved = loaded && saveMap(s.session, false);
  std::filesystem::current_path(previous);
  ASSERT_TRUE(loaded && saved) << s.services.lastText();
  EXPECT_EQ(test::readBytes(folder.file(examples::kDemoMapFile)), committed);
}

}  // namespace
}  // namespace qarto
