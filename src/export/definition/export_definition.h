#pragma once

#include <array>
#include <string>

namespace qarto {

class SettingsStore;

// Where a data file's extern declaration goes.
enum class ExternTarget : int { None = 0, File1 = 1, File2 = 2 };

// The four data files of the text export, in the order their pages and
// settings keys appear.
enum class ExportFile : int { Palette = 0, Tiles = 1, Map = 2, Collision = 3 };
inline constexpr int kExportFileCount = 4;

// The built-in templates; "Reset" on a file page brings them back. The first
// map and collision arrays are "bgMap" and "bgCollision"; later ones of a
// map with several such layers are numbered through "%arrayNumber%".
inline constexpr const char* kDefaultPaletteFormat = "const u16 bgPalette[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};";
inline constexpr const char* kDefaultPaletteExtern = "extern const u16 bgPalette[%arraySize%];";
inline constexpr const char* kDefaultTileFormat = "const u16 bgTiles[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};";
inline constexpr const char* kDefaultTileExtern = "extern const u16 bgTiles[%arraySize%];";
inline constexpr const char* kDefaultMapFormat =
    "const u16 bgMap%arrayNumber%[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};";
inline constexpr const char* kDefaultMapExtern = "extern const u16 bgMap%arrayNumber%[%arraySize%];";
inline constexpr const char* kDefaultCollisionFormat =
    "const u16 bgCollision%arrayNumber%[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};";
inline constexpr const char* kDefaultCollisionExtern = "extern const u16 bgCollision%arrayNumber%[%arraySize%];";

// One data file of the export: name, includes, array template and extern.
struct FileSection {
  std::string fileName;  // relative to the export directory; may hold "/", "%mapName%", "%numAutoGen%"
  std::string includes;  // written under the file header
  std::string format;    // the array template around "%data%"
  int externState = 1;   // ExternTarget as stored: 0, 1 or 2
  std::string externFormat;

  friend bool operator==(const FileSection&, const FileSection&) = default;
};

// The user's recipe for the text export. Multi-line texts keep the CR LF
// line breaks of the edit controls; the writer turns them into line ends.
struct ExportDefinition {
  std::array<FileSection, kExportFileCount> files;
  bool autoPadPalettes = true;
  std::string file1Name;
  std::string file1Includes;
  std::string file2Name;
  std::string file2Includes;
  int numAutoGen = 0;

  FileSection& file(ExportFile which) { return files[static_cast<std::size_t>(which)]; }
  const FileSection& file(ExportFile which) const { return files[static_cast<std::size_t>(which)]; }

  friend bool operator==(const ExportDefinition&, const ExportDefinition&) = default;
};

// The built-in definition: what a store without any "Exporting" key reads as.
ExportDefinition defaultExportDefinition();

// The built-in array and extern templates of one data file.
const char* defaultFormat(ExportFile which);
const char* defaultExternFormat(ExportFile which);

// Key by key from section "Exporting"; a missing key reads as its default.
ExportDefinition LoadExportDefinition(SettingsStore& settings);
// Every field to its key in "Exporting", in the order of the key table.
void StoreExportDefinition(SettingsStore& settings, const ExportDefinition& definition);

// The settings key of the counter; the writer advances it on its own.
inline constexpr const char* kNumAutoGenKey = "NumAutoGen";

}  // namespace qarto
