// The corners of template expansion; the custom_templates golden export has
// the placeholders in use.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "export/export_paths.h"
#include "export/text/export_template.h"
#include "export/text/export_text_blocks.h"
#include "export/text/text_buffer.h"

namespace qarto {
namespace {

PlaceholderValues sampleValues() {
  PlaceholderValues v;
  v.fileName = "/maps/level1.v2.qrm";
  v.mapName = "level1";
  v.numAutoGen = 7;
  v.paletteCount = 3;
  v.tileCount = 42;
  v.tileGroup = 2;
  v.arraySize = 672;
  v.paletteOffset = 4;
  v.tileOffset = 100;
  v.layerName = "Sky";
  return v;
}

// Values as printf's "0x%04x" writes them, at every bit width up to 32.
TEST(HexValues, KeepEveryDigitAtEveryWidth) {
  for (int width = 1; width <= 32; ++width) {
    for (const std::uint32_t value : {1u << (width - 1), 0xFFFFFFFFu >> (32 - width)}) {
      TextBuffer out;
      TextBuffer::Block(out, TextBuffer::kMaxHexLength).appendHex(value);
      char expected[16];
      std::snprintf(expected, sizeof expected, "0x%04x", value);
      EXPECT_EQ(out.str(), expected) << width;
    }
  }
}

TEST(ExpandTemplate, ReplacesEveryPlaceholderOnce) {
  const std::pair<const char*, const char*> cases[] = {
      {"%paletteOffset% %tileOffset%", "4 100"},
      // A lone CR or LF stays; unknown or broken placeholders stay.
      {"a\rb\nc\r\r\nd", "a\rb\nc\r\nd"},
      {"100% %foo% %arraySize", "100% %foo% %arraySize"},
      {"%%arraySize%%", "%672%"},
      {"%tileGroup%%tileCount%", "242"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(ExpandTemplate(input, sampleValues(), true), expected) << input;

  // Inserted values are not expanded again; tile values stay until the tile arrays are reached.
  PlaceholderValues v = sampleValues();
  v.fileName = "/maps/%mapName%/%arraySize%.qrm";
  v.tileCount.reset();
  v.tileGroup.reset();
  EXPECT_EQ(ExpandTemplate("// %fileName% %tileCount% %tileGroup%", v, false),
            "// /maps/%mapName%/%arraySize%.qrm %tileCount% %tileGroup%");
}

TEST(ExpandTemplate, IncludesFileNamesMapNamesAndDataBlocks) {
  EXPECT_EQ(ExpandIncludes("%mapName% %arraySize% %numAutoGen% %layerName%\r\n", sampleValues()),
            "level1 %arraySize% %numAutoGen% %layerName%\n");
  EXPECT_EQ(ExpandFileName("/out/%mapName%/", "pal_%numAutoGen%_%arraySize%.c", sampleValues()),
            "/out/level1/pal_7_%arraySize%.c");
  // The map name is the file name cut before its first dot.
  EXPECT_EQ(mapNameOf("/home/u/maps.d/world"), "world");
  EXPECT_EQ(mapNameOf("/home/u/.hidden"), "");
  const DataBlockText noMarker = splitDataBlock("no marker %paletteCount%", sampleValues(), false);
  EXPECT_EQ(std::pair(noMarker.head, noMarker.tail), std::pair(std::string(), std::string("no marker 3")));
}

}  // namespace
}  // namespace qarto
