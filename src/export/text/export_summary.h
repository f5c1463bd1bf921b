#pragma once

#include <optional>
#include <string>
#include <vector>

#include "export/budget/cells_at_fault.h"

namespace qarto {

class PlatformServices;

// How an export ended, as its message box told the user.
struct TextExportResult {
  // False when the palette, tile or map file could not be written; the
  // export stopped there and its message was shown.
  bool completed = false;
  std::string caption;  // of the summary, or of the stop message
  std::string text;
  std::vector<std::string> written;     // files put in place, in writing order
  std::vector<std::string> notWritten;  // extern or collision files skipped
  std::optional<CellsAtFault> showCells;  // the user chose "Show" on the summary
};


// What the summary box after a text export reports.
struct ExportSummaryInput {
  std::vector<std::string> exported;    // palette, tile, map, collision, then the extern files
  std::vector<std::string> notWritten;  // extern or collision files that could not be written
  int paletteErrors = 0;
  int tileErrors = 0;
  CellsAtFault cellsAtFault;  // the cells without a tile page
  bool offerShow = false;     // the summary offers "Show" for them (the editor)
  std::vector<std::string> notes;  // layers padded to whole screen blocks
};

struct ExportSummary {
  std::string caption;
  std::string text;
  bool dataErrors = false;  // the "Errors!" form, with the error codes
  bool problems = false;    // data errors or files not written: beep and warn
};

inline constexpr const char* kExportSummaryIntro = "Exported the following map data files:                     ";
inline constexpr const char* kExportErrorsIntro =
    "Data errors were encountered while processing your map for exporting.  The following files were exported, though the contents of the data arrays will likely not be complete. ";
inline constexpr const char* kNotWrittenIntro = "\nThe following files could not be written:\n\n";
inline constexpr const char* kPaddedLayersIntro = "\nPadded to whole screen blocks:\n\n";
inline constexpr int kErrorBeepHz = 240;
inline constexpr int kErrorBeepMs = 5;

ExportSummary composeExportSummary(const ExportSummaryInput& input);

// The message that ends an export whose palette, tile or map file could
// not be written.
std::string exportStoppedText(const std::string& path);

// Ends an export stopped at `path` (a palette, tile or map file that could
// not be written): the warning, with its beep.
TextExportResult stoppedExport(const std::string& path, PlatformServices& services, TextExportResult result);
// Ends a finished export: the summary, with a beep and a warning icon when
// it reports problems.
TextExportResult finishedExport(const ExportSummaryInput& summary, PlatformServices& services,
                                TextExportResult result);
// The same for an export whose summary lists its files in writing order.
TextExportResult finishedInWritingOrder(int paletteErrors, int tileErrors, std::vector<std::string> notes,
                                        PlatformServices& services, TextExportResult result);

}  // namespace qarto
