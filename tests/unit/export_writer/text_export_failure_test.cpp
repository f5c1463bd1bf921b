#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "export/export_to_header.h"
#include "export_cases.h"
#include "writer_fixture.h"

namespace qarto {
namespace {

namespace fs = std::filesystem;
using test::WriterFixture;

// One primary layer of 2 by 2 cells on page 2.
void smallMap(WriterFixture& f) {
  f.addPage(2, 3);
  test::setTileCells(f.addLayer(LayerKind::Primary, "Main", 2, 2), {1, 2, 1, 0}, 2);
}

// A regular file where a folder is needed makes any path below it unwritable.
std::string blockedName(WriterFixture& f) {
  test::writeBytes(f.out.file("blocker"), {1});
  return "blocker/file.c";
}

TEST(TextExport, CounterAdvancesOnEveryExport) {
  WriterFixture f;
  smallMap(f);
  f.settings.writeText("Exporting", "PaletteFormat", "// %numAutoGen%\r\n%data%");
  ASSERT_TRUE(f.exportAll().success);
  EXPECT_EQ(f.settings.readInt("Exporting", "NumAutoGen", -1), 1);
  EXPECT_NE(test::readText(f.out.file("BG_Palette.cpp")).find("// 0\n"), std::string::npos);
  ASSERT_TRUE(f.exportAll().success);
  EXPECT_EQ(f.settings.readInt("Exporting", "NumAutoGen", -1), 2);
  EXPECT_NE(test::readText(f.out.file("BG_Palette.cpp")).find("// 1\n"), std::string::npos);
}

struct StopCase {
  const char* key;      // the file name setting that points nowhere
  const char* written;  // files that stay
};

class ExportStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(ExportStops, AtAnUnwritableDataFileWithAMessageNamingIt) {
  WriterFixture f;
  smallMap(f);
  const std::string blocked = blockedName(f);
  f.settings.writeText("Exporting", GetParam().key, blocked);
  const ExportOutcome outcome = f.exportAll();

  EXPECT_FALSE(outcome.success);
  const std::string path = f.out.path() + "/" + blocked;
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastMessage().text, "Unable to write the export file:\n\n  " + path +
                                               "\n\nThe export has stopped. Files written before this one were kept.");
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Export Map");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Warning);
  EXPECT_EQ(f.services.beeps.size(), 1u);
  std::vector<std::string> expected = {"BG_Externs.h", "blocker"};
  for (const char* name : {"BG_Palette.cpp", "BG_Tiles.cpp"}) {
    if (std::string(GetParam().written).find(name) != std::string::npos) expected.push_back(name);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(test::filesUnder(f.out.path()), expected);
  // The counter still advanced; the busy pointer is down again.
  EXPECT_EQ(f.settings.readInt("Exporting", "NumAutoGen", -1), 1);
  EXPECT_EQ(f.services.busyDepth, 0);
}

INSTANTIATE_TEST_SUITE_P(DataFiles, ExportStops,
                         ::testing::Values(StopCase{"PaletteFileName", ""}, StopCase{"TileFileName", "BG_Palette.cpp"},
                                           StopCase{"MapFileName", "BG_Palette.cpp BG_Tiles.cpp"}));

TEST(TextExport, UnwritableCollisionFileIsSkippedAndReported) {
  WriterFixture f;
  smallMap(f);
  test::setTileCells(f.addLayer(LayerKind::Collision, "Walls", 2, 2), {1, 1, 1, 1}, 1);
  const std::string blocked = blockedName(f);
  f.settings.writeText("Exporting", "CollisionFileName", blocked);
  const ExportOutcome outcome = f.exportAll();

  ASSERT_TRUE(outcome.success);
  const std::string out = f.out.path();
  EXPECT_EQ(outcome.summary, std::string("Exported the following map data files:                     \n\n") + "  " +
                                 out + "/BG_Palette.cpp\n  " + out + "/BG_Tiles.cpp\n  " + out + "/BG_Maps.cpp\n  " +
                                 out + "/BG_Externs.h\n\nThe following files could not be written:\n\n  " + out +
                                 "/blocker/file.c\n");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Warning);
  EXPECT_EQ(f.services.beeps, std::vector<int>{240});
  EXPECT_TRUE(fs::exists(f.out.file("BG_Maps.cpp")));
  // Its extern line is not written either.
  EXPECT_EQ(test::readText(f.out.file("BG_Externs.h")).find("bgCollision"), std::string::npos);
}

TEST(TextExport, UnwritableExternFileIsSkippedAndReported) {
  WriterFixture f;
  smallMap(f);
  f.settings.writeText("Exporting", "File1Name", blockedName(f));
  const ExportOutcome outcome = f.exportAll();
  ASSERT_TRUE(outcome.success);
  EXPECT_NE(outcome.summary.find("could not be written:\n\n  " + f.out.path() + "/blocker/file.c\n"), std::string::npos);
  EXPECT_EQ(outcome.notWritten, std::vector<std::string>{f.out.path() + "/blocker/file.c"});
  EXPECT_TRUE(fs::exists(f.out.file("BG_Palette.cpp")));
}

TEST(TextExport, CellsOfMissingPagesAreReportedAsDataErrors) {
  WriterFixture f;
  smallMap(f);
  MapLayer& primary = *f.session.project().layers().front();
  primary.cells[1].tileset = 9;
  primary.cells[2].tileset = 9;
  const ExportOutcome outcome = f.exportAll();
  ASSERT_TRUE(outcome.success);
  EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99 - Export Map Errors!");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::Information);
  EXPECT_EQ(f.services.beeps, std::vector<int>{240});
  const std::string out = f.out.path();
  EXPECT_EQ(outcome.summary,
            "Data errors were encountered while processing your map for exporting.  The following files were "
            "exported, though the contents of the data arrays will likely not be complete. \n\n  " +
                out + "/BG_Palette.cpp\n  " + out + "/BG_Tiles.cpp\n  " + out + "/BG_Maps.cpp\n  " + out +
                "/BG_Collisions.cpp\n  " + out + "/BG_Externs.h\n\n\n\nPalette Error Code: 2\nTile Error Code: 4");
  // Two cells written, the array still declares four.
  EXPECT_NE(test::readText(f.out.file("BG_Maps.cpp")).find("bgMap[4]ALIGN4 = \n{\n0x0000,0x0001\n};"),
            std::string::npos);
}

TEST(TextExport, RefusalWritesNothingAndKeepsTheCounter) {
  WriterFixture f;
  f.addLayer(LayerKind::Primary, "Main", 2, 2);
  const ExportOutcome outcome = f.exportAll();
  EXPECT_FALSE(outcome.success);
  EXPECT_TRUE(outcome.summary.empty());
  EXPECT_EQ(f.services.lastText(), "There are no tiles in the project so there is nothing to export.");
  EXPECT_TRUE(test::filesUnder(f.out.path()).empty());
  EXPECT_FALSE(f.settings.contains("Exporting", "NumAutoGen"));
}

TEST(TextExport, NoExternFileWithoutExternStates) {
  WriterFixture f;
  smallMap(f);
  for (const char* key : {"PaletteExternState", "TileExternState", "MapExternState", "CollisionExternState"}) {
    f.settings.writeInt("Exporting", key, 0);
  }
  const ExportOutcome outcome = f.exportAll();
  ASSERT_TRUE(outcome.success);
  EXPECT_EQ(test::filesUnder(f.out.path()), (std::vector<std::string>{"BG_Maps.cpp", "BG_Palette.cpp", "BG_Tiles.cpp"}));
  EXPECT_EQ(outcome.summary.find("Externs"), std::string::npos);
}

TEST(ExportToHeader, OkStoresRawPositionsAndComposesTheOptions) {
  test::ScriptedServices services;
  MemorySettingsStore settings;
  ExportToHeaderValues values = loadExportToHeader(settings);
  EXPECT_EQ(values.saturation, 100);
  EXPECT_EQ(values.tileOffsetText, "0");
  EXPECT_EQ(shiftLabel(75), "-25%");
  EXPECT_EQ(bankOffsetLabel(7), "7");
  values.exportPath = "C:\\games\\out";
  values.tileOffsetText = "";
  values.bankOffset = 4;
  values.saturation = 75;
  values.luminance = 130;
  const ExportOptions options = acceptExportToHeader(settings, values);
  EXPECT_EQ(settings.readText("Settings", "ExportHeaderPath", ""), "C:\\games\\out");
  EXPECT_EQ(settings.readInt("Settings", "BankOffset", -1), 4);
  EXPECT_EQ(settings.readInt("Settings", "Saturation", -1), 75);
  EXPECT_EQ(settings.readInt("Settings", "Luminance", -1), 130);
  EXPECT_EQ(settings.readInt("Settings", "TileOffset", -1), 0);
  EXPECT_EQ(options.directory, "C:/games/out/");
  EXPECT_EQ(options.saturation, -25);
  EXPECT_EQ(options.luminance, 30);
  resetShifts(values);
  EXPECT_EQ(values.saturation, 100);
  EXPECT_EQ(values.bankOffset, 4);
}

TEST(ExportToHeader, FolderChooserStoresAtOnceAndHelpTextsShow) {
  test::ScriptedServices services;
  MemorySettingsStore settings;
  ExportToHeaderValues values = loadExportToHeader(settings);
  services.folderAnswers.push_back("/data/out");
  ASSERT_TRUE(chooseExportFolder(services, settings, values));
  EXPECT_EQ(values.exportPath, "/data/out");
  EXPECT_EQ(settings.readText("Settings", "ExportHeaderPath", ""), "/data/out");
  showBankOffsetHelp(services);
  EXPECT_EQ(services.lastMessage().caption, "Qarto v0.99 - Palette Bank Offset");
  showTileOffsetHelp(services);
  EXPECT_EQ(services.lastMessage().caption, "Qarto v0.99 - Tile Index Offset");
  EXPECT_EQ(parseTileOffset("120"), 120);
  EXPECT_GT(parseTileOffset("99999999999999"), 1024);
}

}  // namespace
}  // namespace qarto
