#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "edit/session/map_file_commands.h"
#include "example_content.h"
#include "support/temp_folder.h"
#include "support/test_session.h"

namespace qarto {
namespace {

const std::string kCommitted = QARTO_EXAMPLES_DIR;

// Opening the map and saving it again gives the same bytes, but for the
// path field, which holds the map's path as the editor keeps it: absolute.
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
  auto written = test::readBytes(folder.file(examples::kDemoMapFile));
  auto expected = committed;
  constexpr std::size_t kPathAt = 21, kPathBytes = 256;
  ASSERT_GT(written.size(), kPathAt + kPathBytes);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&written[kPathAt])),
            std::filesystem::canonical(folder.file(examples::kDemoMapFile)).string());
  std::fill_n(written.begin() + kPathAt, kPathBytes, 0);
  std::fill_n(expected.begin() + kPathAt, kPathBytes, 0);
  EXPECT_EQ(written, expected);
}

}  // namespace
}  // namespace qarto
