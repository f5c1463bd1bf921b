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

// An unwritable data file stops the export there; the files before it stay.
TEST(TextExport, StopsAtAnUnwritableDataFileWithAMessageNamingIt) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"PaletteFileName", {"BG_Externs.h", "blocker"}},
      {"TileFileName", {"BG_Externs.h", "BG_Palette.cpp", "blocker"}},
      {"MapFileName", {"BG_Externs.h", "BG_Palette.cpp", "BG_Tiles.cpp", "blocker"}},
  };
  for (const auto& [key, kept] : cases) {
    WriterFixture f;
    smallMap(f);
    f.settings.writeText("Exporting", key, blockedName(f));
    EXPECT_FALSE(f.exportAll().success);
    EXPECT_EQ(f.services.messages,
              std::vector{
                  test::shown("Unable to write the export file:\n\n  " + f.out.path() +
                                  "/blocker/file.c\n\nThe export has stopped. Files written before this one were kept.",
                              MessageIcon::Warning, " - Export Map")});
    EXPECT_EQ(f.services.beeps.size(), 1u);
    EXPECT_EQ(test::filesUnder(f.out.path()), kept);
    // The counter still advanced; the busy pointer is down again.
    EXPECT_EQ(f.settings.readInt("Exporting", "NumAutoGen", -1), 1);
    EXPECT_EQ(f.services.busyDepth, 0);
  }
}

TEST(TextExport, UnwritableCollisionOrExternFilesAreSkippedAndReported) {
  WriterFixture f;
  smallMap(f);
  test::setTileCells(f.addLayer(LayerKind::Collision, "Walls", 2, 2), {1, 1, 1, 1}, 1);
  f.settings.writeText("Exporting", "CollisionFileName", blockedName(f));
  ExportOutcome outcome = f.exportAll();
  ASSERT_TRUE(outcome.success);
  const std::string out = f.out.path();
  EXPECT_EQ(outcome.summary, "Exported the following map data files:                     \n\n  " + out +
                                 "/BG_Palette.cpp\n  " + out + "/BG_Tiles.cpp\n  " + out + "/BG_Maps.cpp\n  " + out +
                                 "/BG_Externs.h\n\nThe following files could not be written:\n\n  " + out +
                                 "/blocker/file.c\n");
  EXPECT_EQ(f.services.lastMessage(), test::shown(outcome.summary, MessageIcon::Warning, " - Export Map"));
  EXPECT_EQ(f.services.beeps, std::vector<int>{240});
  // Its extern line is not written either.
  EXPECT_EQ(test::readText(f.out.file("BG_Externs.h")).find("bgCollision"), std::string::npos);

  f.settings.writeText("Exporting", "CollisionFileName", "BG_Collisions.cpp");
  f.settings.writeText("Exporting", "File1Name", "blocker/file.h");
  outcome = f.exportAll();
  ASSERT_TRUE(outcome.success);
  EXPECT_EQ(outcome.notWritten, std::vector<std::string>{out + "/blocker/file.h"});
  EXPECT_TRUE(fs::exists(f.out.file("BG_Collisions.cpp")));
}

TEST(TextExport, CellsOfMissingPagesAreReportedAsDataErrors) {
  WriterFixture f;
  smallMap(f);
  f.project().layerAt(0)->cells[1].tileset = 9;
  f.project().layerAt(0)->cells[2].tileset = 9;
  const ExportOutcome outcome = f.exportAll();
  ASSERT_TRUE(outcome.success);
  const std::string out = f.out.path();
  EXPECT_EQ(outcome.summary,
            "Data errors were encountered while processing your map for exporting.  The following files were "
            "exported, though the contents of the data arrays will likely not be complete. \n\n  " +
                out + "/BG_Palette.cpp\n  " + out + "/BG_Tiles.cpp\n  " + out + "/BG_Maps.cpp\n  " + out +
                "/BG_Collisions.cpp\n  " + out + "/BG_Externs.h\n\n\n\nPalette Error Code: 2\nTile Error Code: 4"
                "\n\nCells at fault:\nlayer Main, cell (1, 0)\nlayer Main, cell (0, 1)");
  EXPECT_EQ(f.services.lastMessage(), test::shown(outcome.summary, MessageIcon::Information, " - Export Map Errors!"));
  EXPECT_EQ(f.services.beeps, std::vector<int>{240});
  // The two cells without their page still take their places.
  EXPECT_NE(test::readText(f.out.file("BG_Maps.cpp")).find("bgMap[4]ALIGN4 = \n{\n0x0000,0x0000,0x0000,0x0001\n};"),
            std::string::npos);
}

TEST(TextExport, RefusalWritesNothingAndExternsNeedAnExternState) {
  WriterFixture f;
  f.addLayer(LayerKind::Primary, "Main", 2, 2);
  const ExportOutcome refused = f.exportAll();
  EXPECT_FALSE(refused.success);
  EXPECT_EQ(f.services.lastText(), "There are no tiles in the project so there is nothing to export.");
  EXPECT_TRUE(test::filesUnder(f.out.path()).empty());
  EXPECT_FALSE(f.settings.contains("Exporting", "NumAutoGen"));

  WriterFixture g;
  smallMap(g);
  for (const char* key : {"PaletteExternState", "TileExternState", "MapExternState", "CollisionExternState"}) {
    g.settings.writeInt("Exporting", key, 0);
  }
  const ExportOutcome outcome = g.exportAll();
  ASSERT_TRUE(outcome.success);
  EXPECT_EQ(test::filesUnder(g.out.path()),
            (std::vector<std::string>{"BG_Maps.cpp", "BG_Palette.cpp", "BG_Tiles.cpp"}));
}

}  // namespace
}  // namespace qarto
