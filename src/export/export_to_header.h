#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "export/budget/cells_at_fault.h"
#include "export/presets/export_preset.h"

namespace qarto {

class EditorSession;
struct ExportReduction;
class PlatformServices;
class SettingsStore;
struct TextExportJob;
struct TextExportResult;

inline constexpr const char* kExportToHeaderCaptionSuffix = " - Export To Header";
inline constexpr const char* kExportFolderChooserTitle = "Save Path";
inline constexpr const char* kTileOffsetHelpSuffix = " - Tile Index Offset";
inline constexpr const char* kTileOffsetHelpText =
    "Tile Index Offset allows you to offset the tile index (stored with each tile in your map) at export time.\n\n"
    "NOTE: it is the responsibility of the programmer to ensure that the tile data is loaded into the correct tile "
    "memory offset.\n\nWARNING: if the number of tiles in the map to be exported cannot fit into the reduced space "
    "caused by offsetting the data, the map export will abort, notifying you of the error.";
inline constexpr const char* kBadTileOffsetText =
    "You have entered an invalid tile index offset.  The offset must be a whole number of 0 or more.";
inline constexpr const char* kBankOffsetHelpSuffix = " - Palette Bank Offset";
inline constexpr const char* kBankOffsetHelpText =
    "Bank Offset allows you to offset the palette index (stored with each tile in your map) at export time.\n\n"
    "NOTE: it is the responsibility of the programmer to ensure that the palette data is loaded into the correct "
    "palette memory offset.\n\nWARNING: if the number of palettes in the map to be exported cannot fit into the "
    "reduced space caused by offsetting the data, the map export will abort, notifying you of the error.";

// Slider positions: 100 means no change to saturation or luminance.
inline constexpr int kNeutralShiftPosition = 100;
inline constexpr int kMaxShiftPosition = 200;
inline constexpr int kMaxBankOffset = 15;

// The controls of the Export to Header dialog, as raw positions.
struct ExportToHeaderValues {
  std::string exportPath;      // "ExportHeaderPath"
  std::string tileOffsetText;  // the digits-only edit
  int bankOffset = 0;          // slider 0..15
  int saturation = kNeutralShiftPosition;  // slider 0..200
  int luminance = kNeutralShiftPosition;   // slider 0..200
  bool screenBlocks = false;                // "ExportScreenBlocks"
  bool lz77 = false;                        // "ExportLz77"
  ExportPreset preset = ExportPreset::Templates;  // "ExportPreset"
};

// What an export needs, whoever asks for it: the dialog or a command line.
struct ExportOptions {
  std::string directory;  // the export folder; backslashes and a missing final "/" are fine
  int bankOffset = 0;     // 0..15
  int tileOffset = 0;     // 0 or more
  int saturation = 0;     // -100..100 percent
  int luminance = 0;      // -100..100 percent
  std::optional<std::time_t> startTime;  // "%time%" and "%date%"; now when unset
  bool offerShow = false;  // messages about cells offer "Show" (the editor)
  bool screenBlocks = false;  // map arrays of big layers as consecutive screen blocks
  bool lz77 = false;          // arrays compressed for the BIOS
  ExportPreset preset = ExportPreset::Templates;  // the C export's files
};

struct ExportOutcome {
  bool success = false;  // every palette, tile and map file was written
  std::string summary;   // the summary (or stop message) shown; empty after a refusal
  std::vector<std::string> written;
  std::vector<std::string> notWritten;
  std::optional<CellsAtFault> showCells;  // the cells a message's "Show" asked for
};

// The folder the Export Path edit starts with when nothing is stored.
std::string defaultExportHeaderPath();

// Opening: every control from section "Settings". With no folder stored, the
// export goes beside the map (`mapPath`), or without one to the default.
ExportToHeaderValues loadExportToHeader(SettingsStore& settings, const std::string& mapPath = {});
// The tile offset edit's value; nullopt for text that is no whole number of
// 0 or more (an empty edit included). Large offsets are held at a limit far
// above any tile count, which the export's overflow check then refuses.
std::optional<int> parseTileOffset(const std::string& text);
// The labels beside the sliders: "7", and "-25%" for position 75.
std::string bankOffsetLabel(int position);
std::string shiftLabel(int position);
// Reset: saturation and luminance back to no change; the bank offset stays.
void resetShifts(ExportToHeaderValues& values);
// "...": the chosen folder goes into the edit and is stored at once.
bool chooseExportFolder(PlatformServices& services, SettingsStore& settings, ExportToHeaderValues& values);
void showTileOffsetHelp(PlatformServices& services);
void showBankOffsetHelp(PlatformServices& services);
// OK: a tile offset that is no whole number of 0 or more is refused with
// kBadTileOffsetText (the dialog stays open and nothing is stored);
// otherwise stores the five values under "Settings" and returns the
// export's options.
std::optional<ExportOptions> acceptExportToHeader(PlatformServices& services, SettingsStore& settings,
                                                  const ExportToHeaderValues& values);

// The whole Export to Headers command after its dialog: the refusals and
// the reduction, then every file the export definition names and the
// summary, all through the session's services and settings. Options are
// held to the dialog's ranges.
ExportOutcome exportToHeaders(EditorSession& session, const ExportOptions& options);

// What an export writes once the map is reduced.
using ExportWriter = TextExportResult (*)(ExportReduction&, const TextExportJob&, SettingsStore&, PlatformServices&);

// An export after its dialog: the refusals and the reduction, then `writer`
// on the reduced map.
ExportOutcome runExport(EditorSession& session, const ExportOptions& options, ExportWriter writer);

}  // namespace qarto
