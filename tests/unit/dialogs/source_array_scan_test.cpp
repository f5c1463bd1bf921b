// The import dialog's scan of C source files for array names.
#include "io/c_source/source_array_scan.h"

#include <gtest/gtest.h>

#include "edit/dialogs/import_source_model.h"
#include "support/dialog_fixture.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

using Names = std::vector<std::string>;

TEST(SourceArrayScan, Texts) {
  const struct {
    std::string text;
    Names names;
  } cases[] = {
      {"const u16 bgMap[2048] = {", {"bgMap"}},
      {"u8 a\t\r\n  [3];", {"a"}},  // blanks before the "["
      {"u16 map[4]; u16 MAP[8]; u16 Map[2];", {"map"}},  // one entry per name, whatever the case
      {"u16 b[1]; u16 a[1]; u16 b[2];", {"b", "a"}},     // order of discovery
      {"grid[3][4]", {"grid", "grid[3]"}},               // the whole run of non-blanks
      {"[1] x[2]", {"x"}},                               // a "[" first or last gives nothing
      {"a[[b]", {"a"}},                                 // the next "[" is searched two characters on
      {"\xc3\xa9t\xc3\xa9[2]", {"\xc3\xa9t\xc3\xa9"}},  // bytes above 127 are not blanks
      {std::string("a\0b[2]", 6), {"b"}},               // nor is a zero byte part of a name
  };
  for (const auto& c : cases) EXPECT_EQ(scanArrayNames(c.text), c.names) << c.text;
}

// The project's own exports and a hand-written header.
TEST(SourceArrayScan, Files) {
  const std::string golden = std::string(QARTO_SOURCE_DIR) + "/tests/golden/export/";
  const std::pair<const char*, Names> cases[] = {
      {"entities_collision/files/BG_Externs.h",
       {"list", "bgPalette", "bgTiles", "bgMap", "bgCollision", "bgMap2", "bgCollision2", "bgMap3"}},
      {"entities_collision/files/BG_Maps.cpp", {"bgMap", "bgMap2", "bgMap3", "list"}},
      {"custom_templates/files/BG_Maps.cpp", {"@1.00"}},  // "Main 2x1 @1.00 [2]": whatever stands before
  };
  for (const auto& [file, names] : cases) {
    const SourceScanResult result = scanSourceFile(golden + file);
    EXPECT_EQ(std::tuple(result.status, result.names), std::tuple(SourceScanStatus::Ok, names)) << file;
  }
}

TEST(ImportSourceScan, MessagesAndChooser) {
  DialogFixture f;
  TempFolder folder;
  EXPECT_FALSE(scanSourceArrays(f.services, "").has_value());
  EXPECT_EQ(f.services.lastMessage(), shown("Specify a file first", MessageIcon::None));

  EXPECT_FALSE(scanSourceArrays(f.services, folder.file("missing.c")).has_value());
  EXPECT_EQ(f.services.lastText(), "File not found");
  EXPECT_FALSE(scanSourceArrays(f.services, folder.path()).has_value());
  EXPECT_EQ(f.services.lastText(), "File not found");

  const std::string empty = folder.file("empty.c");
  writeBytes(empty, {});
  EXPECT_FALSE(scanSourceArrays(f.services, empty).has_value());
  EXPECT_EQ(f.services.lastText(), "File <" + empty + "> is empty!");

  f.services.openFileAnswers.push_back({empty});
  EXPECT_EQ(chooseSourceFile(f.services), empty);
  EXPECT_EQ(describe(f.services.openRequests.at(0)),
            chooser("Load Header", "Source Files (.h,.c,.cpp)|*.h;*.cpp;*.c||", ".h", ""));
}

}  // namespace
}  // namespace qarto::test
