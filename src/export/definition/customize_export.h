#pragma once

#include <array>
#include <string>

#include "export/definition/export_definition.h"

namespace qarto {

class PlatformServices;
class SettingsStore;

inline constexpr const char* kCustomizeExportCaptionSuffix = " - Customize Text Export";
inline constexpr std::array<const char*, 5> kCustomizeExportTabLabels = {
    "Palette File    ", "BG Tiles File    ", "Map File    ", "Collision File    ", "Miscellaneous    "};
inline constexpr const char* kDefinitionFileFilter = "Qarto Export Definition Files (*.qrd)|*.qrd||";
inline constexpr const char* kDefinitionFileExtension = ".qrd";
inline constexpr const char* kSaveDefinitionTitle = "Save Export Definition";
inline constexpr const char* kLoadDefinitionTitle = "Load Export Definition";

// Radio state of a file page with no button checked; OK stores it as 2.
inline constexpr int kNoExternButtonChecked = -1;

// The controls of one file page of the Customize Export dialog.
struct ExportFilePage {
  std::string fileName;
  std::string includes;
  std::string format;
  int externState = 1;  // the checked radio button: 0, 1, 2, or kNoExternButtonChecked
  std::string externFormat;

  // "Don't create externs" disables the extern format edit, its label and Reset.
  bool externControlsEnabled() const { return externState != 0; }
};

// What the Customize Export dialog shows: its own copy of the definition,
// held from opening to OK or Cancel. Cancel simply drops it.
struct CustomizeExportPages {
  std::array<ExportFilePage, kExportFileCount> files;
  bool autoPadPalettes = true;  // palette page only
  std::string file1Name;
  std::string file1Includes;
  std::string file2Name;
  std::string file2Includes;
  std::string numAutoGen;  // the "Num AutoGen" edit as typed

  ExportFilePage& file(ExportFile which) { return files[static_cast<std::size_t>(which)]; }
  const ExportFilePage& file(ExportFile which) const { return files[static_cast<std::size_t>(which)]; }
};

// "Num AutoGen": its decimal value; below 0, above 9999 or no number gives 0.
int parseNumAutoGen(const std::string& text);

void loadPages(CustomizeExportPages& pages, const ExportDefinition& definition);
// The definition the pages show, as OK or "Export Def." takes it.
ExportDefinition definitionFromPages(const CustomizeExportPages& pages);

// Opening: every control from the settings.
CustomizeExportPages openCustomizeExport(SettingsStore& settings);
// OK: every page back to "Exporting".
void acceptCustomizeExport(SettingsStore& settings, const CustomizeExportPages& pages);

// "Export Def.": asks for a path and writes the pages' current contents.
// True when a file was written.
bool exportDefinitionFromPages(PlatformServices& services, const CustomizeExportPages& pages,
                               const std::string& programDirectory);
// "Import Def.": asks for a file and loads it into the pages. A file that
// is refused leaves every page as it was. True when the pages were loaded.
bool importDefinitionIntoPages(PlatformServices& services, CustomizeExportPages& pages,
                               const std::string& programDirectory);
// The loading step of "Import Def." for a chosen path.
bool importDefinitionFile(PlatformServices& services, CustomizeExportPages& pages, const std::string& path);

}  // namespace qarto
