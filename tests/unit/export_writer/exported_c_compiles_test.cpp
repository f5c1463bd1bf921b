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

int run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

class ExportedSource : public ::testing::TestWithParam<ExportCase> {};

// The files as written, nothing supplied beside them: each data file
// compiles on its own as C and as C++, and a program that includes only the
// extern headers and uses every array they declare links with them in
// either language (a const array of C++ that no extern declaration precedes
// would be local to its file).
TEST_P(ExportedSource, CompilesAndLinksInCAndCppAndEveryArrayHoldsWhatItDeclares) {
  if (run("cc --version") != 0 || run("c++ --version") != 0) GTEST_SKIP() << "no host C and C++ compilers";
  WriterFixture f;
  ExportOptions options;
  GetParam().build(f, options);
  ASSERT_TRUE(f.exportAll(options).success);

  test::TempFolder build;
  std::string program;
  int mapEntities = 0;
  std::string uses;
  std::vector<std::string> dataFiles;
  for (const std::string& file : test::filesUnder(f.out.path())) {
    const std::string text = test::readText(f.out.file(file));
    if (file.ends_with(".h")) {
      program += "#include \"" + file + "\"\n";
      const std::regex name(R"(extern const u16 (\w+)\[)");
      for (auto m = std::sregex_iterator(text.begin(), text.end(), name); m != std::sregex_iterator(); ++m) {
        uses += " + " + (*m)[1].str() + "[0]";
      }
      continue;
    }
    dataFiles.push_back(file);
    if (text.find("TEnemyList list[]") != std::string::npos) uses += " + list[1].facing";
    for (const test::ExportedArray& array : test::arraysIn(text)) {
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
  program += "int main(void) { return 0" + uses + "; }\n";
  const struct {
    const char* compiler;
    const char* language;
  } kLanguages[] = {{"cc -std=c11 -Wno-missing-braces", "c"}, {"c++ -std=c++17", "c++"}};
  for (const auto& language : kLanguages) {
    const std::string compile = std::string(language.compiler) + " -Wall -Wextra -Werror -I " + f.out.path() +
                                " -x " + language.language + " -c -o ";
    std::string objects;
    for (const std::string& file : dataFiles) {
      const std::string object = build.file(file + "." + language.language + ".o");
      EXPECT_EQ(run(compile + object + " " + f.out.file(file)), 0) << language.language << ": " << file;
      objects += " " + object;
    }
    const std::string main = build.file(std::string("main.") + language.language);
    std::ofstream(main) << program;
    EXPECT_EQ(run(compile + main + ".o " + main + " && " + language.compiler + " -o " + build.file("program") +
                  " " + main + ".o" + objects),
              0)
        << language.language;
  }
  if (GetParam().name == "entities_collision") {
    EXPECT_EQ(mapEntities, 2 * 4);
  }
}

INSTANTIATE_TEST_SUITE_P(SmallMaps, ExportedSource, ::testing::ValuesIn(test::casesGivingC()), test::caseName);

}  // namespace
}  // namespace qarto
