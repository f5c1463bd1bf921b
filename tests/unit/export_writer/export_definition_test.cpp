#include "export/definition/export_definition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/definition/customize_export.h"
#include "export/definition/definition_file.h"
#include "support/byte_builder.h"
#include "writer_fixture.h"

namespace qarto {
namespace {

using test::ScriptedServices;
using Bytes = std::vector<std::uint8_t>;

// A text item: its length with the terminating zero, the text, the zero.
test::ByteBuilder& item(test::ByteBuilder& out, const std::string& text) {
  return out.i32(static_cast<std::int64_t>(text.size() + 1)).text(text).u8(0);
}

// A definition in which every field differs from the defaults.
ExportDefinition customDefinition() {
  ExportDefinition d;
  for (int i = 0; i < kExportFileCount; ++i) {
    FileSection& s = d.files[static_cast<std::size_t>(i)];
    s.fileName = "%mapName%/f" + std::to_string(i) + ".c";
    s.includes = "#include \"gba.h\"\r\n// " + std::to_string(i);
    s.format = "const u16 x" + std::to_string(i) + "[%arraySize%] = {%data%};";
    s.externState = i % 3;
    s.externFormat = "extern const u16 x" + std::to_string(i) + "[];";
  }
  d.autoPadPalettes = false;
  d.file1Name = "ext1.h";
  d.file1Includes = "#pragma once";
  d.file2Name = "ext2.h";
  d.file2Includes = "// two";
  d.numAutoGen = 1234;
  return d;
}

TEST(DefinitionFile, WritesVersion2ItemByItemAndCapsLongTexts) {
  ExportDefinition d = customDefinition();
  test::ByteBuilder expected;
  item(expected, "def V2.0").i32(0);  // auto-pad off
  for (const FileSection& s : d.files) {
    item(item(item(expected, s.fileName), s.includes), s.format).i32(s.externState);
    item(expected, s.externFormat);
  }
  for (const char* text : {"ext1.h", "#pragma once", "ext2.h", "// two"}) item(expected, text);
  EXPECT_EQ(encodeDefinitionFile(d), expected.i32(1234).data);

  // A text over the cap keeps its first 8192 bytes (the reader refuses more).
  d.file(ExportFile::Map).format = std::string(9000, 'x');
  const DefinitionReadResult back = decodeDefinitionFile(encodeDefinitionFile(d));
  ASSERT_EQ(back.status, DefinitionReadStatus::Ok);
  EXPECT_EQ(back.definition.file(ExportFile::Map).format, std::string(8192, 'x'));
}

TEST(DefinitionFile, ExportThenImportRestoresEveryControl) {
  test::TempFolder folder;
  ScriptedServices services;
  CustomizeExportPages pages;
  loadPages(pages, customDefinition());
  services.saveFileAnswers.push_back(folder.file("mine.qrd"));
  ASSERT_TRUE(exportDefinitionFromPages(services, pages, "/opt/qarto"));

  CustomizeExportPages loaded;
  services.openFileAnswers.push_back({folder.file("mine.qrd")});
  ASSERT_TRUE(importDefinitionIntoPages(services, loaded, "/opt/qarto"));
  EXPECT_EQ(definitionFromPages(loaded), customDefinition());
  EXPECT_EQ(loaded.numAutoGen, "1234");
  EXPECT_TRUE(services.messages.empty());

  // Version 1: another version text and no auto-pad item; the box keeps its state.
  const Bytes v2 = encodeDefinitionFile(customDefinition());
  test::ByteBuilder v1;
  item(v1, "def V1.0").append(Bytes(v2.begin() + 13 + 4, v2.end()));
  test::writeBytes(folder.file("old.qrd"), v1.data);
  loaded.autoPadPalettes = true;
  ASSERT_TRUE(importDefinitionFile(services, loaded, folder.file("old.qrd")));
  ExportDefinition expected = customDefinition();
  expected.autoPadPalettes = true;
  EXPECT_EQ(definitionFromPages(loaded), expected);
}

// Every refused file leaves every page exactly as it was.
TEST(DefinitionFile, RefusedFilesChangeNothing) {
  const auto damaged =
      test::shown("The export definition file is damaged or truncated and was not loaded.", MessageIcon::Warning);
  const Bytes good = encodeDefinitionFile(customDefinition());
  test::ByteBuilder otherVersion;
  test::ByteBuilder oversized;
  item(oversized, "def V2.0")
      .i32(1)
      .i32(8193)
      .text(std::string(8193, 'y'))
      .append(Bytes(good.begin() + 17, good.end()));
  // The palette's extern state (0) follows the version, auto-pad and three texts.
  const ExportDefinition custom = customDefinition();
  const FileSection& palette = custom.file(ExportFile::Palette);
  Bytes badState = good;
  badState.at(13 + 4 + 3 * 5 + palette.fileName.size() + palette.includes.size() + palette.format.size()) = 7;
  const std::pair<Bytes, ScriptedServices::Message> files[] = {
      {item(otherVersion, "def V3.0").data, test::shown("Invalid version", MessageIcon::None)},
      {Bytes(good.begin(), good.begin() + 13), damaged},
      {Bytes(good.begin(), good.end() - 1), damaged},
      {oversized.data, damaged},
      {badState, damaged},
  };
  test::TempFolder folder;
  for (const auto& [bytes, message] : files) {
    test::writeBytes(folder.file("bad.qrd"), bytes);
    ScriptedServices services;
    CustomizeExportPages pages;
    loadPages(pages, defaultExportDefinition());
    pages.numAutoGen = "77";
    const ExportDefinition before = definitionFromPages(pages);
    EXPECT_FALSE(importDefinitionFile(services, pages, folder.file("bad.qrd"))) << bytes.size();
    EXPECT_EQ(std::pair(definitionFromPages(pages), pages.numAutoGen), std::pair(before, std::string("77")));
    EXPECT_EQ(services.messages, std::vector{message}) << bytes.size();
  }

  // A missing file does nothing; an unwritable path is reported.
  ScriptedServices services;
  CustomizeExportPages pages;
  EXPECT_FALSE(importDefinitionFile(services, pages, folder.file("nothing.qrd")));
  services.saveFileAnswers.push_back(folder.file("missing/def.qrd"));
  EXPECT_FALSE(exportDefinitionFromPages(services, pages, folder.path()));
  EXPECT_EQ(services.texts(), std::vector<std::string>{"The export definition file could not be written:\n\n" +
                                                       folder.file("missing/def.qrd")});
}

}  // namespace
}  // namespace qarto
