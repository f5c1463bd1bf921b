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
// tile, map and collision arrays are "bgTiles", "bgMap" and "bgCollision";
// later ones (a second tile group, more layers) are numbered through
// "%arrayNumber%", so that every name is defined once.
inline constexpr const char* kDefaultPaletteFormat = "const u16 bgPalette[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};";
inline constexpr const char* kDefaultPaletteExtern = "extern const u16 bgPalette[%arraySize%];";
inline constexpr const char* kDefaultTileFormat =
    "const u16 bgTiles%arrayNumber%[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};";
inline constexpr const char* kDefaultTileExtern = "extern const u16 bgTiles%arrayNumber%[%arraySize%];";
inline constexpr const char* kDefaultMapFormat =
    "const u16 bgMap%arrayNumber%[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};";
inline constexpr const char* kDefaultMapExtern = "extern const u16 bgMap%arrayNumber%[%arraySize%];";
inline constexpr const char* kDefaultCollisionFormat =
    "const u16 bgCollision%arrayNumber%[%arraySize%]ALIGN4 = \r\n{\r\n%data%\r\n};";
inline constexpr const char* kDefaultCollisionExtern = "extern const u16 bgCollision%arrayNumber%[%arraySize%];";

// The built-in includes. Each data file includes the extern header first:
// a namespace-scope const array has internal linkage in C++ unless an
// extern declaration precedes it. The header stands on its own: it gives
// u16, ALIGN4 and the entity list's record where the program has not.
inline constexpr const char* kDefaultDataIncludes = "#include \"BG_Externs.h\"";
inline constexpr const char* kDefaultExternIncludes =
    "#pragma once\r\n"
    "\r\n"
    "typedef unsigned short u16;\r\n"
    "#ifndef ALIGN4\r\n"
    "#define ALIGN4 __attribute__((aligned(4)))\r\n"
    "#endif\r\n"
    "\r\n"
    "/* One entity of the map's entity list: its type (the row of the entity\r\n"
    "   catalogue), facing (1 right, -1 left) and foot point in map pixels as\r\n"
    "   16.16 fixed point. */\r\n"
    "typedef struct TEnemyList {\r\n"
    "  int type;\r\n"
    "  int facing;\r\n"
    "  int x;\r\n"
    "  int y;\r\n"
    "} TEnemyList;\r\n"
    "\r\n"
    "extern const TEnemyList list[];";
inline constexpr const char* kDefaultSecondExternIncludes = "#pragma once\r\n\r\n#include \"BG_Externs.h\"";

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
