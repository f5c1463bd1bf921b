#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/customize_export.h"
#include "export/definition_file.h"
#include "export/export_definition.h"
#include "model/memory_settings_store.h"
#include "writer_fixture.h"

namespace qarto {
namespace {

using test::ScriptedServices;

std::vector<std::uint8_t> textItem(const std::string& text) {
  std::vector<std::uint8_t> out;
  const auto length = static_cast<std::uint32_t>(text.size() + 1);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
  return out;
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& more) {
  out.insert(out.end(), more.begin(), more.end());
}

// A definition in which every field differs from the defaults.
ExportDefinition customDefinition() {
  ExportDefinition d;
  const char* names[] = {"pal.c", "til.c", "map.c", "col.c"};
  for (int i = 0; i < kExportFileCount; ++i) {
    FileSection& s = d.files[static_cast<std::size_t>(i)];
    s.fileName = std::string("%mapName%/") + names[i];
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

TEST(ExportDefinition, DefaultsAreTheBuiltInRecipe) {
  MemorySettingsStore settings;
  const ExportDefinition d = LoadExportDefinition(settings);
  EXPECT_EQ(d, defaultExportDefinition());
  EXPECT_EQ(d.file(ExportFile::Palette).fileName, "BG_Palette.cpp");
  EXPECT_EQ(d.file(ExportFile::Tiles).fileName, "BG_Tiles.cpp");
  EXPECT_EQ(d.file(ExportFile::Map).fileName, "BG_Maps.cpp");
  EXPECT_EQ(d.file(ExportFile::Collision).fileName, "BG_Collisions.cpp");
  EXPECT_EQ(d.file(ExportFile::Palette).format, "const u16 bgPalette[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};");
  EXPECT_EQ(d.file(ExportFile::Palette).externFormat, "extern const u16 bgPalette[%arraySize%];");
  EXPECT_EQ(d.file(ExportFile::Tiles).format, "const u16 bgTiles[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};");
  EXPECT_EQ(d.file(ExportFile::Tiles).externFormat, "extern const u16 bgTiles[%arraySize%];");
  EXPECT_EQ(d.file(ExportFile::Map).format, "const u16 bgMap[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};");
  EXPECT_EQ(d.file(ExportFile::Map).externFormat, "extern const u16 bgMap[%arraySize%];");
  EXPECT_EQ(d.file(ExportFile::Collision).format,
            "const u16 bgCollision[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};");
  EXPECT_EQ(d.file(ExportFile::Collision).externFormat, "extern const u16 bgCollision[%arraySize%];");
  for (const FileSection& s : d.files) {
    EXPECT_EQ(s.includes, "");
    EXPECT_EQ(s.externState, 1);
  }
  EXPECT_TRUE(d.autoPadPalettes);
  EXPECT_EQ(d.file1Name, "BG_Externs.h");
  EXPECT_EQ(d.file2Name, "BG_Externs2.h");
  EXPECT_EQ(d.numAutoGen, 0);
  // Reading writes nothing ahead of time.
  EXPECT_TRUE(settings.values().empty());
}

TEST(ExportDefinition, StoresUnderTheExportingKeysAndReadsBack) {
  MemorySettingsStore settings;
  StoreExportDefinition(settings, customDefinition());
  EXPECT_EQ(LoadExportDefinition(settings), customDefinition());

  const std::vector<std::string> keys = {
      "PaletteFileName", "PaletteIncludes", "PaletteFormat", "PaletteExternState", "PaletteExternString",
      "AutoPadPalettes", "TileFileName", "TileIncludes", "TileFormat", "TileExternState", "TileExternString",
      "MapFileName", "MapIncludes", "MapFormat", "MapExternState", "MapExternString", "CollisionFileName",
      "CollisionIncludes", "CollisionFormat", "CollisionExternState", "CollisionExternString", "File1Name",
      "File1Includes", "File2Name", "File2Includes", "NumAutoGen"};
  for (const std::string& key : keys) EXPECT_TRUE(settings.contains("Exporting", key)) << key;
  EXPECT_EQ(settings.values().size(), keys.size());
  EXPECT_EQ(settings.readInt("Exporting", "AutoPadPalettes", 9), 0);
  EXPECT_EQ(settings.readText("Exporting", "MapFileName", ""), "%mapName%/map.c");
}

TEST(CustomizeExport, NumAutoGenOutsideItsRangeCountsAsZero) {
  struct Case {
    const char* text;
    int value;
  };
  const Case cases[] = {{"0", 0},     {"17", 17}, {"9999", 9999}, {"10000", 0}, {"12000", 0}, {"-3", 0},
                        {"abc", 0},   {"", 0},    {"12x", 0},     {" 42 ", 42}, {"99999999999999999999", 0}};
  for (const Case& c : cases) EXPECT_EQ(parseNumAutoGen(c.text), c.value) << c.text;
}

TEST(CustomizeExport, OkStoresEveryPageAndCancelStoresNothing) {
  MemorySettingsStore settings;
  CustomizeExportPages pages = openCustomizeExport(settings);
  EXPECT_EQ(pages.numAutoGen, "0");
  pages.file(ExportFile::Map).externState = 0;
  pages.file(ExportFile::Map).externFormat = "kept";
  pages.file(ExportFile::Tiles).externState = kNoExternButtonChecked;
  pages.numAutoGen = "12000";
  EXPECT_FALSE(pages.file(ExportFile::Map).externControlsEnabled());
  EXPECT_TRUE(settings.values().empty());  // nothing before OK

  acceptCustomizeExport(settings, pages);
  EXPECT_EQ(settings.readInt("Exporting", "MapExternState", 9), 0);
  EXPECT_EQ(settings.readText("Exporting", "MapExternString", ""), "kept");
  EXPECT_EQ(settings.readInt("Exporting", "TileExternState", 9), 2);
  EXPECT_EQ(settings.readInt("Exporting", "NumAutoGen", 9), 0);
}

TEST(CustomizeExport, ResetBringsBackTheBuiltInTemplates) {
  MemorySettingsStore settings;
  StoreExportDefinition(settings, customDefinition());
  CustomizeExportPages pages = openCustomizeExport(settings);
  resetFormat(pages, ExportFile::Collision);
  resetExternFormat(pages, ExportFile::Tiles);
  EXPECT_EQ(pages.file(ExportFile::Collision).format, kDefaultCollisionFormat);
  EXPECT_EQ(pages.file(ExportFile::Tiles).externFormat, kDefaultTileExtern);
  EXPECT_EQ(pages.file(ExportFile::Palette).format, customDefinition().file(ExportFile::Palette).format);
}

TEST(DefinitionFile, WritesVersion2ItemByItem) {
  ExportDefinition d = defaultExportDefinition();
  d.numAutoGen = 5;
  std::vector<std::uint8_t> expected = textItem("def V2.0");
  appendU32(expected, 1);
  for (const FileSection& s : d.files) {
    append(expected, textItem(s.fileName));
    append(expected, textItem(s.includes));
    append(expected, textItem(s.format));
    appendU32(expected, 1);
    append(expected, textItem(s.externFormat));
  }
  for (const char* text : {"BG_Externs.h", "", "BG_Externs2.h", ""}) append(expected, textItem(text));
  appendU32(expected, 5);
  EXPECT_EQ(encodeDefinitionFile(d), expected);
}

TEST(DefinitionFile, CapsALongTextAt8192BytesWithoutItsZero) {
  ExportDefinition d = defaultExportDefinition();
  d.file(ExportFile::Map).format = std::string(9000, 'x');
  const std::vector<std::uint8_t> bytes = encodeDefinitionFile(d);
  std::vector<std::uint8_t> capped;
  appendU32(capped, 8192);
  capped.insert(capped.end(), 8192, 'x');
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), capped.begin(), capped.end()), bytes.end());
  // What is read back is the first 8192 bytes of the text.
  const DefinitionReadResult back = decodeDefinitionFile(bytes);
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
  EXPECT_EQ(services.saveRequests.back().title, "Save Export Definition");
  EXPECT_EQ(services.saveRequests.back().filter, "Qarto Export Definition Files (*.qrd)|*.qrd||");
  EXPECT_EQ(services.saveRequests.back().defaultExtension, ".qrd");
  EXPECT_EQ(services.saveRequests.back().initialFolder, "/opt/qarto");

  CustomizeExportPages loaded;
  services.openFileAnswers.push_back({folder.file("mine.qrd")});
  ASSERT_TRUE(importDefinitionIntoPages(services, loaded, "/opt/qarto"));
  EXPECT_EQ(services.openRequests.back().title, "Load Export Definition");
  EXPECT_EQ(definitionFromPages(loaded), customDefinition());
  EXPECT_EQ(loaded.numAutoGen, "1234");
  EXPECT_TRUE(services.messages.empty());
}

TEST(DefinitionFile, Version1LeavesTheAutoPadBoxAsItWas) {
  test::TempFolder folder;
  ExportDefinition d = customDefinition();
  std::vector<std::uint8_t> bytes = encodeDefinitionFile(d);
  // Version 1: another version text and no item 2.
  std::vector<std::uint8_t> v1 = textItem("def V1.0");
  v1.insert(v1.end(), bytes.begin() + 13 + 4, bytes.end());
  test::writeBytes(folder.file("old.qrd"), v1);

  ScriptedServices services;
  CustomizeExportPages pages;
  pages.autoPadPalettes = true;
  ASSERT_TRUE(importDefinitionFile(services, pages, folder.file("old.qrd")));
  EXPECT_TRUE(pages.autoPadPalettes);
  d.autoPadPalettes = true;
  EXPECT_EQ(definitionFromPages(pages), d);
}

// Every refused file leaves every page exactly as it was.
struct RefusedFile {
  const char* name;
  std::vector<std::uint8_t> bytes;
  const char* message;
  MessageIcon icon;
};

void refusedFiles(std::vector<RefusedFile>& files) {
  const std::vector<std::uint8_t> good = encodeDefinitionFile(customDefinition());
  files.push_back({"other version", textItem("def V3.0"), "Invalid version", MessageIcon::None});
  for (const std::size_t cut : {std::size_t{2}, std::size_t{13}, std::size_t{15}, good.size() / 2, good.size() - 1}) {
    files.push_back({"truncated", std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)),
                     kDamagedDefinitionText, MessageIcon::Warning});
  }
  std::vector<std::uint8_t> oversized = textItem("def V2.0");
  appendU32(oversized, 1);
  appendU32(oversized, 8193);
  oversized.insert(oversized.end(), 8193, 'y');
  append(oversized, std::vector<std::uint8_t>(good.begin() + 17, good.end()));
  files.push_back({"oversized text", oversized, kDamagedDefinitionText, MessageIcon::Warning});
  std::vector<std::uint8_t> badState = good;
  // Palette extern state sits after version, auto-pad and three texts.
  const ExportDefinition custom = customDefinition();
  const FileSection& palette = custom.file(ExportFile::Palette);
  const std::size_t stateAt = 13 + 4 + (4 + palette.fileName.size() + 1) + (4 + palette.includes.size() + 1) +
                              (4 + palette.format.size() + 1);
  ASSERT_EQ(badState.at(stateAt), 0);  // the palette's extern state is 0
  badState[stateAt] = 7;
  files.push_back({"extern state 7", badState, kDamagedDefinitionText, MessageIcon::Warning});
}

TEST(DefinitionFile, RefusedFilesChangeNothing) {
  std::vector<RefusedFile> files;
  refusedFiles(files);
  ASSERT_EQ(files.size(), 8u);
  for (const RefusedFile& file : files) {
    test::TempFolder folder;
    test::writeBytes(folder.file("bad.qrd"), file.bytes);
    ScriptedServices services;
    CustomizeExportPages pages;
    loadPages(pages, defaultExportDefinition());
    pages.numAutoGen = "77";
    const ExportDefinition before = definitionFromPages(pages);

    EXPECT_FALSE(importDefinitionFile(services, pages, folder.file("bad.qrd"))) << file.name;
    EXPECT_EQ(definitionFromPages(pages), before) << file.name;
    EXPECT_EQ(pages.numAutoGen, "77") << file.name;
    ASSERT_EQ(services.messages.size(), 1u) << file.name;
    EXPECT_EQ(services.lastMessage().text, file.message) << file.name;
    EXPECT_EQ(services.lastMessage().caption, "Qarto v0.99") << file.name;
    EXPECT_EQ(services.lastMessage().icon, file.icon) << file.name;
  }
}

TEST(DefinitionFile, MissingFileDoesNothing) {
  ScriptedServices services;
  CustomizeExportPages pages;
  EXPECT_FALSE(importDefinitionFile(services, pages, "/nonexistent/qarto/def.qrd"));
  EXPECT_TRUE(services.messages.empty());
}

TEST(DefinitionFile, UnwritablePathIsReportedAndKeepsTheOldFile) {
  test::TempFolder folder;
  ScriptedServices services;
  CustomizeExportPages pages;
  loadPages(pages, customDefinition());
  services.saveFileAnswers.push_back(folder.path() + "/missing/def.qrd");
  EXPECT_FALSE(exportDefinitionFromPages(services, pages, folder.path()));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.lastMessage().text,
            "The export definition file could not be written:\n\n" + folder.path() + "/missing/def.qrd");
}

}  // namespace
}  // namespace qarto
