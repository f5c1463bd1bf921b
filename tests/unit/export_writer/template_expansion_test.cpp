#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "export/export_paths.h"
#include "export/export_template.h"
#include "export/export_text_blocks.h"
#include "writer_fixture.h"

namespace qarto {
namespace {

PlaceholderValues sampleValues() {
  PlaceholderValues v;
  v.time = "22:13";
  v.date = "Nov 14, 2023";
  v.fileName = "C:\\maps\\level1.v2.qrm";
  v.mapName = "level1";
  v.numAutoGen = 7;
  v.paletteCount = 3;
  v.tileCount = 42;
  v.tileGroup = 2;
  v.arraySize = 672;
  v.paletteOffset = 4;
  v.tileOffset = 100;
  v.layerName = "Sky";
  v.width = 30;
  v.height = 20;
  v.parallax = 0.5f;
  return v;
}

struct ExpansionCase {
  const char* input;
  bool withLayer;
  const char* expected;
};

class ExpandTemplateTable : public ::testing::TestWithParam<ExpansionCase> {};

TEST_P(ExpandTemplateTable, ReplacesAsTheTableSays) {
  const ExpansionCase& c = GetParam();
  EXPECT_EQ(ExpandTemplate(c.input, sampleValues(), c.withLayer), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPlaceholder, ExpandTemplateTable,
    ::testing::Values(ExpansionCase{"%time%", false, "22:13"}, ExpansionCase{"%date%", false, "Nov 14, 2023"},
                      ExpansionCase{"%fileName%", false, "C:\\maps\\level1.v2.qrm"},
                      ExpansionCase{"%mapName%", false, "level1"}, ExpansionCase{"%numAutoGen%", false, "7"},
                      ExpansionCase{"%paletteCount%", false, "3"}, ExpansionCase{"%tileCount%", false, "42"},
                      ExpansionCase{"%arraySize%", false, "672"}, ExpansionCase{"%tileGroup%", false, "2"},
                      ExpansionCase{"%paletteOffset%", false, "4"}, ExpansionCase{"%tileOffset%", false, "100"},
                      ExpansionCase{"%layerName%", true, "Sky"}, ExpansionCase{"%width%", true, "30"},
                      ExpansionCase{"%height%", true, "20"}, ExpansionCase{"%parallax%", true, "0.50"},
                      // Layer placeholders stay outside map and collision arrays.
                      ExpansionCase{"%layerName% %width% %height% %parallax%", false,
                                    "%layerName% %width% %height% %parallax%"},
                      // "%data%" marks a position, it is never replaced.
                      ExpansionCase{"a%data%b", true, "a%data%b"},
                      ExpansionCase{"x[%arraySize%]\r\n{\r\n};", false, "x[672]\n{\n};"},
                      // A lone CR or LF stays; unknown or broken placeholders stay.
                      ExpansionCase{"a\rb\nc\r\r\nd", false, "a\rb\nc\r\nd"},
                      ExpansionCase{"100% %foo% %arraySize", false, "100% %foo% %arraySize"},
                      ExpansionCase{"%%arraySize%%", false, "%672%"},
                      ExpansionCase{"%tileGroup%%tileCount%", false, "242"}));

TEST(ExpandTemplate, InsertedValuesAreNotExpandedAgain) {
  PlaceholderValues v = sampleValues();
  v.fileName = "/maps/%date%/%arraySize%.qrm";
  EXPECT_EQ(ExpandTemplate("// %fileName%", v, false), "// /maps/%date%/%arraySize%.qrm");
}

TEST(ExpandTemplate, TileValuesStayUntilTheTileArraysAreReached) {
  PlaceholderValues v = sampleValues();
  v.tileCount.reset();
  v.tileGroup.reset();
  EXPECT_EQ(ExpandTemplate("%tileCount% %tileGroup% %paletteCount%", v, false), "%tileCount% %tileGroup% 3");
}

TEST(ExpandIncludes, ReplacesOnlyTimeDateAndMapNames) {
  EXPECT_EQ(ExpandIncludes("%time% %date% %fileName% %mapName% %arraySize% %numAutoGen% %layerName%\r\n",
                           sampleValues()),
            "22:13 Nov 14, 2023 C:\\maps\\level1.v2.qrm level1 %arraySize% %numAutoGen% %layerName%\n");
}

TEST(ExpandFileName, ReplacesMapNameAndCounterInTheWholePath) {
  EXPECT_EQ(ExpandFileName("/out/%mapName%/", "%mapName%/pal_%numAutoGen%_%arraySize%.c", sampleValues()),
            "/out/level1/level1/pal_7_%arraySize%.c");
}

TEST(MapName, IsTheFileNameCutBeforeItsFirstDot) {
  EXPECT_EQ(mapNameOf("C:\\maps\\level1.v2.qrm"), "level1");
  EXPECT_EQ(mapNameOf("/home/u/maps.d/world"), "world");
  EXPECT_EQ(mapNameOf(""), "");
  EXPECT_EQ(mapNameOf("/home/u/.hidden"), "");
}

TEST(StartTime, FormatsTimeAndDate) {
  setenv("TZ", "UTC", 1);
  tzset();
  PlaceholderValues v;
  setStartTime(v, 1700000000);
  EXPECT_EQ(v.time, "22:13");
  EXPECT_EQ(v.date, "Nov 14, 2023");
}

struct DataBlockCase {
  const char* format;
  const char* head;
  const char* tail;
};

class DataBlockTable : public ::testing::TestWithParam<DataBlockCase> {};

TEST_P(DataBlockTable, SplitsAtTheFirstDataMarker) {
  const DataBlockText block = splitDataBlock(GetParam().format, sampleValues(), false);
  EXPECT_EQ(block.head, GetParam().head);
  EXPECT_EQ(block.tail, GetParam().tail);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DataBlockTable,
    ::testing::Values(DataBlockCase{"const u16 a[%arraySize%] = \r\n{\r\n%data%\r\n};", "const u16 a[672] = \n{\n",
                                    "\n};"},
                      DataBlockCase{"no marker %paletteCount%", "", "no marker 3"},
                      DataBlockCase{"a%data%b%data%c%data%", "a", "bc"}, DataBlockCase{"%data%", "", ""}));

TEST(FileHeader, IsTheCommentLineAndThreeEmptyLinesWithEmptyIncludes) {
  EXPECT_EQ(fileHeaderText("", sampleValues()), "/*  File generated by: Qarto v0.99 */\n\n\n\n");
  EXPECT_EQ(fileHeaderText("#include \"gba.h\"\r\n// %mapName%", sampleValues()),
            "/*  File generated by: Qarto v0.99 */\n\n#include \"gba.h\"\n// level1\n\n");
}

TEST(ExportDirectory, EndsInOneSlashWithoutBackslashes) {
  EXPECT_EQ(exportDirectoryFromPath("C:\\out"), "C:/out/");
  EXPECT_EQ(exportDirectoryFromPath("C:\\out\\"), "C:/out/");
  EXPECT_EQ(exportDirectoryFromPath("/tmp/out"), "/tmp/out/");
  EXPECT_EQ(exportDirectoryFromPath("/tmp/out/"), "/tmp/out/");
}

TEST(CreateParentDirectories, CreatesTheWholeMissingChain) {
  test::TempFolder folder;
  EXPECT_TRUE(CreateParentDirectories(folder.path() + "\\a\\b/c/file.c"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "/a/b/c"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/a/b/c/file.c"));
  // A final "/" does not count: the folder holding "d/" is made, not "d".
  EXPECT_TRUE(CreateParentDirectories(folder.path() + "/x/d/"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "/x"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/x/d"));
}

TEST(CreateParentDirectories, ReportsAFolderThatCannotBeMade) {
  test::TempFolder folder;
  test::writeBytes(folder.file("plain"), {1});
  EXPECT_FALSE(CreateParentDirectories(folder.path() + "/plain/sub/file.c"));
}

}  // namespace
}  // namespace qarto
