#include "export/definition/export_definition.h"

#include "model/settings/settings_store.h"

namespace qarto {

namespace {

// Settings key prefix of each data file: "PaletteFileName", "TileFormat" ...
constexpr std::array<const char*, kExportFileCount> kKeyPrefix = {"Palette", "Tile", "Map", "Collision"};
constexpr std::array<const char*, kExportFileCount> kDefaultFileName = {"BG_Palette.cpp", "BG_Tiles.cpp",
                                                                         "BG_Maps.cpp", "BG_Collisions.cpp"};

std::string key(ExportFile which, const char* field) {
  return std::string(kKeyPrefix[static_cast<std::size_t>(which)]) + field;
}

FileSection loadSection(SettingsStore& settings, ExportFile which, const FileSection& defaults) {
  FileSection section;
  section.fileName = settings.readText(kExportingSection, key(which, "FileName"), defaults.fileName);
  section.includes = settings.readText(kExportingSection, key(which, "Includes"), defaults.includes);
  section.format = settings.readText(kExportingSection, key(which, "Format"), defaults.format);
  section.externState = settings.readInt(kExportingSection, key(which, "ExternState"), defaults.externState);
  section.externFormat = settings.readText(kExportingSection, key(which, "ExternString"), defaults.externFormat);
  return section;
}

void storeSection(SettingsStore& settings, ExportFile which, const FileSection& section) {
  settings.writeText(kExportingSection, key(which, "FileName"), section.fileName);
  settings.writeText(kExportingSection, key(which, "Includes"), section.includes);
  settings.writeText(kExportingSection, key(which, "Format"), section.format);
  settings.writeInt(kExportingSection, key(which, "ExternState"), section.externState);
  settings.writeText(kExportingSection, key(which, "ExternString"), section.externFormat);
}

}  // namespace

const char* defaultFormat(ExportFile which) {
  switch (which) {
    case ExportFile::Palette: return kDefaultPaletteFormat;
    case ExportFile::Tiles: return kDefaultTileFormat;
    case ExportFile::Map: return kDefaultMapFormat;
    case ExportFile::Collision: return kDefaultCollisionFormat;
  }
  return "";
}

const char* defaultExternFormat(ExportFile which) {
  switch (which) {
    case ExportFile::Palette: return kDefaultPaletteExtern;
    case ExportFile::Tiles: return kDefaultTileExtern;
    case ExportFile::Map: return kDefaultMapExtern;
    case ExportFile::Collision: return kDefaultCollisionExtern;
  }
  return "";
}

ExportDefinition defaultExportDefinition() {
  ExportDefinition definition;
  for (int i = 0; i < kExportFileCount; ++i) {
    const auto which = static_cast<ExportFile>(i);
    FileSection& section = definition.file(which);
    section.fileName = kDefaultFileName[static_cast<std::size_t>(i)];
    section.includes = kDefaultDataIncludes;
    section.format = defaultFormat(which);
    section.externState = static_cast<int>(ExternTarget::File1);
    section.externFormat = defaultExternFormat(which);
  }
  definition.autoPadPalettes = true;
  definition.file1Name = "BG_Externs.h";
  definition.file1Includes = kDefaultExternIncludes;
  definition.file2Name = "BG_Externs2.h";
  definition.file2Includes = kDefaultSecondExternIncludes;
  definition.numAutoGen = 0;
  return definition;
}

ExportDefinition LoadExportDefinition(SettingsStore& settings) {
  const ExportDefinition defaults = defaultExportDefinition();
  ExportDefinition definition;
  for (int i = 0; i < kExportFileCount; ++i) {
    const auto which = static_cast<ExportFile>(i);
    definition.file(which) = loadSection(settings, which, defaults.file(which));
    if (which == ExportFile::Palette) {
      definition.autoPadPalettes = settings.readInt(kExportingSection, "AutoPadPalettes", 1) != 0;
    }
  }
  definition.file1Name = settings.readText(kExportingSection, "File1Name", defaults.file1Name);
  definition.file1Includes = settings.readText(kExportingSection, "File1Includes", defaults.file1Includes);
  definition.file2Name = settings.readText(kExportingSection, "File2Name", defaults.file2Name);
  definition.file2Includes = settings.readText(kExportingSection, "File2Includes", defaults.file2Includes);
  definition.numAutoGen = settings.readInt(kExportingSection, kNumAutoGenKey, defaults.numAutoGen);
  return definition;
}

void StoreExportDefinition(SettingsStore& settings, const ExportDefinition& definition) {
  for (int i = 0; i < kExportFileCount; ++i) {
    const auto which = static_cast<ExportFile>(i);
    storeSection(settings, which, definition.file(which));
    if (which == ExportFile::Palette) {
      settings.writeInt(kExportingSection, "AutoPadPalettes", definition.autoPadPalettes ? 1 : 0);
    }
  }
  settings.writeText(kExportingSection, "File1Name", definition.file1Name);
  settings.writeText(kExportingSection, "File1Includes", definition.file1Includes);
  settings.writeText(kExportingSection, "File2Name", definition.file2Name);
  settings.writeText(kExportingSection, "File2Includes", definition.file2Includes);
  settings.writeInt(kExportingSection, kNumAutoGenKey, definition.numAutoGen);
}

}  // namespace qarto
