#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "export_cases.h"
#include "writer_fixture.h"

namespace qarto {
namespace {

namespace fs = std::filesystem;
using test::ExportCase;
using test::WriterFixture;

// QARTO_UPDATE_GOLDEN=1 rewrites the expected files from this build; look
// at every change before keeping it.
bool updatingGolden() {
  const char* flag = std::getenv("QARTO_UPDATE_GOLDEN");
  return flag != nullptr && std::string(flag) == "1";
}

std::string goldenFolder(const std::string& name) {
  return std::string(QARTO_SOURCE_DIR) + "/tests/golden/export/" + name;
}

class GoldenExport : public ::testing::TestWithParam<ExportCase> {};

TEST_P(GoldenExport, WritesExactlyTheExpectedFiles) {
  WriterFixture f;
  ExportOptions options;
  GetParam().build(f, options);
  const ExportOutcome outcome = f.exportAll(options);
  ASSERT_TRUE(outcome.success) << outcome.summary;
  ASSERT_FALSE(f.services.messages.empty());
  EXPECT_EQ(f.services.lastMessage().text, outcome.summary);
  EXPECT_TRUE(f.services.beeps.empty());

  // The summary's text is the failure tests'; here the files themselves.
  const std::string golden = goldenFolder(GetParam().name);
  if (updatingGolden()) {
    fs::remove_all(golden);
    fs::create_directories(golden + "/files");
    fs::copy(f.out.path(), golden + "/files", fs::copy_options::recursive);
  }
  const std::vector<std::string> files = test::filesUnder(f.out.path());
  ASSERT_EQ(files, test::filesUnder(golden + "/files"));
  for (const std::string& file : files) {
    EXPECT_EQ(test::readText(f.out.file(file)), test::readText(golden + "/files/" + file)) << file;
  }
}

std::vector<ExportCase> goldenCases() {
  std::vector<ExportCase> cases = test::exportCases();
  std::erase_if(cases, [](const ExportCase& c) { return !c.golden; });
  return cases;
}

INSTANTIATE_TEST_SUITE_P(SmallMaps, GoldenExport, ::testing::ValuesIn(goldenCases()), test::caseName);

}  // namespace
}  // namespace qarto
