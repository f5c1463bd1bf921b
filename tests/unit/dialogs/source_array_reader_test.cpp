// Reading one array with its values out of a C source, as exporters write them.
#include "io/c_source/source_array_reader.h"

#include <gtest/gtest.h>

namespace qarto::test {
namespace {

// "name: type {values} line N"
std::string summary(const SourceArray& array) {
  std::string text = array.name + ": " + array.typeName + " {";
  for (const std::uint32_t& value : array.values)
    text += std::to_string(value) + (&value == &array.values.back() ? "" : ",");
  return text + "} line " + std::to_string(array.line);
}

TEST(SourceArrayReader, ReadsWhatExportersWrite) {
  const std::string cases[][3] = {
      {"const u16 bgMap[4]ALIGN4 = \r\n{\r\n0x0000,0x0001,0x0c02,0x1000\r\n};", "",
       "bgMap: u16 {0,1,3074,4096} line 1"},
      // Fewer values than declared: the rest are zeros; a comma may end the list.
      {"const unsigned short fooPal[4] __attribute__((aligned(4)))=\n{\n\t0x0000,0x7FFF,\n};", "",
       "fooPal: unsigned short {0,32767,0,0} line 1"},
      {"#include <gba.h>\n#define X(a) \\\n  a[1]\n/* no[1] = {2}; */ // nor[2]\nunsigned char\n c\n [2]\n = { 255, 0 "
       "};",
       "", "c: unsigned char {255,0} line 6"},
      {"extern const u16 m[2];\nconst u16 other[1] = {9};\nconst u16 m[2] = {1,2};", "m", "m: u16 {1,2} line 3"},
      {"extern \"C\" {\nnamespace gfx { EWRAM_DATA u8 x[] = {3, 017, 0b101, 10u}; }\n}", "x",
       "x: u8 {3,15,5,10} line 2"},  // octal, binary, a suffix
      {"void f() { u16 y[2] = {1, 2}; }\nu16 buffer[8];\nint unsigned short y[1]={65535};", "y",
       "y: int unsigned short {65535} line 3"},
  };
  for (const auto& [text, wanted, expected] : cases) {
    SourceArray array;
    std::string message;
    ASSERT_TRUE(readSourceArray(text, "a.c", wanted, array, message)) << text << "\n" << message;
    EXPECT_EQ(summary(array), expected) << text;
  }
}

TEST(SourceArrayReader, SaysWhereAndWhatWasExpected) {
  const std::pair<std::string, std::string> cases[] = {
      {"const u16 m[2] = {1, x};", "line 1: expected a number, found \"x\"."},
      {"const u16 m[1] = {1,\n 2};", "line 2: expected \"}\" after the 1 values that \"m\" declares, found \"2\"."},
      {"const u8 m[] = {0x100};", "line 1: expected a value from 0 to 255 (u8), found \"0x100\"."},
      {"const s16 m[1] = {1};",
       "line 1: expected the element type of \"m\" (u8, u16, u32, unsigned char, unsigned short, unsigned int, "
       "uint8_t, uint16_t or uint32_t), found \"s16\"."},
      {"const u16 m[2][2] = {};",
       "line 1: expected \"=\" (arrays of more than one dimension are not read), found \"[\"."},
      {"const u16 m[99999999] = {};", "line 1: expected a size of at most 4194304 values, found \"99999999\"."},
      {"const u16 m[1] = {1}", "line 1: expected \";\" after the values of \"m\", found the end of the file."},
      {"\n/* open\nconst u16 m[1] = {1};", "line 2: expected \"*/\" to close the comment opened on this line."},
      {"\nextern const u16 m[4];",
       "line 2: \"m\" is only declared here; expected its values (\"= { ... };\"), which are in another file, such as "
       "the .c or .cpp beside it."},
  };
  for (const auto& [text, message] : cases) {
    SourceArray array;
    std::string said;
    EXPECT_FALSE(readSourceArray(text, "lvl.c", "m", array, said)) << text;
    EXPECT_EQ(said, "File <lvl.c>, " + message) << text;
  }
  SourceArray array;
  std::string said;
  EXPECT_FALSE(readSourceArray("const u16 a[1] = {1};", "lvl.c", "m", array, said));
  EXPECT_EQ(said, "File <lvl.c> has no array named \"m\".");
  EXPECT_FALSE(readSourceArray("int x; u16 y[2];", "lvl.c", "", array, said));
  EXPECT_EQ(said, "File <lvl.c> has no array with values.");
  EXPECT_FALSE(readSourceArrayFile("/nonexistent/lvl.c", "", array, said));
  EXPECT_EQ(said, "File </nonexistent/lvl.c> not found!");
}

}  // namespace
}  // namespace qarto::test
