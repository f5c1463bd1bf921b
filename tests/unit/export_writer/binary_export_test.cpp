// The binary export against the header export of the same map: every .bin
// file holds the values of the C array it is named after, read back from
// the exported text.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "export/binary/binary_export.h"
#include "export_cases.h"
#include "model/app_title.h"
#include "support/scripted_services.h"
#include "writer_fixture.h"

namespace qarto {
namespace {

using test::ExportCase;
using test::WriterFixture;

// A .bin file's values: u16, or signed 32-bit for the entity list.
std::vector<std::int64_t> valuesOfBinary(const std::string& path, bool entities) {
  const std::vector<std::uint8_t> bytes = test::readBytes(path);
  std::vector<std::int64_t> values;
  for (std::size_t at = 0; at + (entities ? 4 : 2) <= bytes.size(); at += entities ? 4 : 2) {
    values.push_back(entities ? loadI32(bytes.data() + at) : loadU16(bytes.data() + at));
  }
  return values;
}

class BinaryExport : public ::testing::TestWithParam<ExportCase> {};

TEST_P(BinaryExport, EveryFileHoldsTheValuesOfItsCArray) {
  WriterFixture f;
  ExportOptions options;
  GetParam().build(f, options);
  ASSERT_TRUE(f.exportAll(options).success);

  test::TempFolder binary;
  options.directory = binary.path() + "/out";  // a folder the export makes
  const ExportOutcome outcome = exportBinary(f.session, options);
  ASSERT_TRUE(outcome.success) << f.services.lastText();

  const auto arrays = test::arraysOfFiles(f.out.path());
  std::vector<std::string> expectedFiles;
  for (const auto& [name, values] : arrays) {
    expectedFiles.push_back(name + ".bin");
    EXPECT_EQ(valuesOfBinary(options.directory + "/" + name + ".bin", name == "list"), values) << name;
  }
  EXPECT_EQ(test::filesUnder(options.directory), expectedFiles);
  EXPECT_EQ(outcome.written.size(), arrays.size());
  for (const std::string& path : outcome.written)
    EXPECT_NE(outcome.summary.find("  " + path + "\n"), std::string::npos);
  EXPECT_EQ(f.services.lastMessage().caption, caption(" - Export Map"));
}

INSTANTIATE_TEST_SUITE_P(SmallMaps, BinaryExport, ::testing::ValuesIn(test::casesGivingC()), test::caseName);

TEST(BinaryExportNames, AMapArrayNamedListLeavesTheEntityListAFileOfItsOwn) {
  WriterFixture f;
  f.addPage(2, 3);
  test::setTileCells(f.addLayer(LayerKind::Primary, "Main", 2, 1), {1, 2}, 2);
  WriterFixture::placeEntity(f.addLayer(LayerKind::Entity, "Entities", 2, 2), 0, 3, 1, 16, 40);
  f.settings.writeText("Exporting", "MapFormat", "const u16 list[%arraySize%] = {\r\n%data%\r\n};");
  ExportOptions options;
  options.directory = f.out.file("bin");
  ASSERT_TRUE(exportBinary(f.session, options).success);
  EXPECT_EQ(test::filesUnder(options.directory),
            (std::vector<std::string>{"bgPalette.bin", "bgTiles.bin", "list.bin", "list2.bin"}));
  EXPECT_EQ(test::readBytes(options.directory + "/list.bin").size(), 4u);
  EXPECT_EQ(test::readBytes(options.directory + "/list2.bin").size(), 16u);
}

TEST(BinaryExportRefusals, AFileWhereTheFolderShouldBeIsLeftAlone) {
  WriterFixture f;
  f.addPage(2, 3);
  test::setTileCells(f.addLayer(LayerKind::Primary, "Main", 2, 1), {1, 2}, 2);
  ExportOptions options;
  options.directory = f.out.file("bin");
  // A file where the folder should be: the export stops at the first array.
  test::writeBytes(options.directory, {1, 2, 3});
  EXPECT_FALSE(exportBinary(f.session, options).success);
  EXPECT_EQ(f.services.lastMessage(),
            test::shown("Unable to write the export file:\n\n  " + options.directory +
                            "/bgPalette.bin\n\nThe export has stopped. Files written before this one were kept.",
                        MessageIcon::Warning, " - Export Map"));
  EXPECT_EQ(test::readBytes(options.directory), (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace qarto
