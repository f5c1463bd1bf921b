#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "export_cases.h"
#include "writer_fixture.h"

namespace qarto {
namespace {

using test::ExportCase;
using test::WriterFixture;

// What a GBA program supplies before it includes the exported files.
constexpr const char* kPrelude =
    "typedef unsigned short u16;\n"
    "#define ALIGN4 __attribute__((aligned(4)))\n"
    "typedef struct { int type; int facing; int x; int y; } TEnemyList;\n";

int run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

class ExportedSource : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportedSource, CompilesAndEveryArrayHoldsWhatItDeclares) {
  if (run("cc --version") != 0) GTEST_SKIP() << "no host C compiler";
  WriterFixture f;
  ExportOptions options;
  GetParam().build(f, options);
  // A project with tile groups names its two tile arrays apart.
  f.settings.writeText("Exporting", "TileFormat",
                       "const u16 bgTiles%tileGroup%[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};");
  f.settings.writeText("Exporting", "TileExternString", "extern const u16 bgTiles%tileGroup%[%arraySize%];");
  ASSERT_TRUE(f.exportAll(options).success);

  test::TempFolder build;
  std::ofstream(build.file("prelude.h")) << kPrelude;
  std::string includes = "-include " + build.file("prelude.h");
  std::string objects;
  for (const char* header : {"BG_Externs.h", "BG_Externs2.h"}) {
    if (std::filesystem::exists(f.out.file(header))) includes += " -include " + f.out.file(header);
  }
  int mapEntities = 0;
  // The program uses every array an extern file declares, so that linking
  // fails for a declared array that no file defines.
  std::string uses;
  for (const std::string& file : test::filesUnder(f.out.path())) {
    const std::string path = f.out.file(file);
    if (file.ends_with(".h")) {
      const std::string text = test::readText(path);
      const std::regex name(R"(extern const u16 (\w+)\[)");
      for (auto m = std::sregex_iterator(text.begin(), text.end(), name); m != std::sregex_iterator(); ++m) {
        uses += " + " + (*m)[1].str() + "[0]";
      }
      continue;
    }
    // The extern headers come first, so a declaration that disagrees with
    // its array does not compile.
    const std::string object = build.file(file + ".o");
    EXPECT_EQ(
        run("cc -std=c11 -Wall -Wextra -Werror -Wno-missing-braces -x c -c " + includes + " -o " + object + " " + path),
        0)
        << file;
    objects += " " + object;
    for (const test::ExportedArray& array : test::arraysIn(test::readText(path))) {
      if (array.declared < 0) {
        mapEntities += static_cast<int>(array.values.size());
        continue;
      }
      // A padded palette array keeps its declared 256 and leaves out the
      // banks below the bank offset.
      const long expected = array.name == "bgPalette" ? array.declared - 16 * options.bankOffset : array.declared;
      EXPECT_EQ(static_cast<long>(array.values.size()), expected) << file << ": " << array.name;
    }
  }
  std::ofstream(build.file("main.c")) << "int main(void) { return 0" << uses << "; }\n";
  // Linking catches two arrays of one name, and a declared one that is missing.
  EXPECT_EQ(run("cc " + includes + " -o " + build.file("program") + " " + build.file("main.c") + objects), 0);
  if (GetParam().name == "entities_collision") {
    EXPECT_EQ(mapEntities, 2 * 4);
  }
}

INSTANTIATE_TEST_SUITE_P(SmallMaps, ExportedSource, ::testing::ValuesIn(test::casesGivingC()), test::caseName);

}  // namespace
}  // namespace qarto
