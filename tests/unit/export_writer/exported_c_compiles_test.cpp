#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
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

struct ArrayDeclaration {
  std::string name;
  long declared = -1;  // -1 for "[]"
  long values = 0;
};

// The arrays of an exported file: "name[size]" followed by "{ values }".
std::vector<ArrayDeclaration> parseArrays(const std::string& text) {
  std::vector<ArrayDeclaration> arrays;
  std::size_t pos = 0;
  while ((pos = text.find('[', pos)) != std::string::npos) {
    std::size_t nameStart = pos;
    while (nameStart > 0 && (std::isalnum(static_cast<unsigned char>(text[nameStart - 1])) || text[nameStart - 1] == '_')) {
      --nameStart;
    }
    const std::size_t close = text.find(']', pos);
    const std::size_t open = text.find('{', close);
    const std::size_t end = text.find('}', open);
    if (close == std::string::npos || open == std::string::npos || end == std::string::npos) break;
    ArrayDeclaration array;
    array.name = text.substr(nameStart, pos - nameStart);
    const std::string size = text.substr(pos + 1, close - pos - 1);
    array.declared = size.empty() ? -1 : std::strtol(size.c_str(), nullptr, 10);
    // Count the non-empty comma-separated items, skipping comments.
    bool inItem = false;
    for (std::size_t i = open + 1; i < end; ++i) {
      if (text.compare(i, 2, "//") == 0) {
        i = text.find('\n', i);
        continue;
      }
      const char c = text[i];
      if (c == ',') {
        inItem = false;
      } else if (!std::isspace(static_cast<unsigned char>(c)) && !inItem) {
        inItem = true;
        ++array.values;
      }
    }
    arrays.push_back(array);
    pos = end;
  }
  return arrays;
}

int run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

class ExportedSource : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportedSource, CompilesAndEveryArrayHoldsWhatItDeclares) {
  if (!GetParam().compilesAsC) GTEST_SKIP() << "custom templates need not be C";
  if (run("cc --version") != 0) GTEST_SKIP() << "no host C compiler";
  WriterFixture f;
  ExportOptions options;
  GetParam().build(f, options);
  // A project with tile groups names its two tile arrays apart.
  f.settings.writeText("Exporting", "TileFormat", "const u16 bgTiles%tileGroup%[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};");
  f.settings.writeText("Exporting", "TileExternString", "extern const u16 bgTiles%tileGroup%[%arraySize%];");
  f.settings.writeText("Exporting", "MapFormat", "const u16 bg%layerName%[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};");
  f.settings.writeText("Exporting", "MapExternString", "extern const u16 bg%layerName%[%arraySize%];");
  ASSERT_TRUE(f.exportAll(options).success);

  test::TempFolder build;
  std::ofstream(build.file("prelude.h")) << kPrelude;
  std::string includes = "-include " + build.file("prelude.h");
  std::string objects;
  for (const char* header : {"BG_Externs.h", "BG_Externs2.h"}) {
    if (std::filesystem::exists(f.out.file(header))) includes += " -include " + f.out.file(header);
  }
  int mapEntities = 0;
  for (const std::string& file : test::filesUnder(f.out.path())) {
    const std::string path = f.out.file(file);
    if (file.ends_with(".h")) continue;
    // The extern headers come first, so a declaration that disagrees with
    // its array does not compile.
    const std::string object = build.file(file + ".o");
    EXPECT_EQ(run("cc -std=c11 -Wall -Wextra -Werror -Wno-missing-braces -x c -c " + includes + " -o " + object +
                  " " + path),
              0)
        << file;
    objects += " " + object;
    for (const ArrayDeclaration& array : parseArrays(test::readText(path))) {
      if (array.declared < 0) {
        mapEntities += static_cast<int>(array.values);
        continue;
      }
      // A padded palette array keeps its declared 256 and leaves out the
      // banks below the bank offset.
      const long expected = array.name == "bgPalette" ? array.declared - 16 * options.bankOffset : array.declared;
      EXPECT_EQ(array.values, expected) << file << ": " << array.name;
    }
  }
  std::ofstream(build.file("main.c")) << "int main(void) { return 0; }\n";
  // Linking catches two arrays of one name.
  EXPECT_EQ(run("cc -o " + build.file("program") + " " + build.file("main.c") + objects), 0);
  if (GetParam().name == "entities_collision") {
    EXPECT_EQ(mapEntities, 2 * 4);
  }
}

INSTANTIATE_TEST_SUITE_P(SmallMaps, ExportedSource, ::testing::ValuesIn(test::exportCases()),
                         [](const ::testing::TestParamInfo<ExportCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qarto
