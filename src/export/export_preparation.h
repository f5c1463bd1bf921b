#pragma once

#include <memory>
#include <string>

#include "export/budget/cells_at_fault.h"
#include "export/reduction/export_reduction.h"
#include "model/platform_services.h"

namespace qarto {

class MapProject;

// The inputs of an export run.
struct ExportRequest {
  std::string exportDirectory;  // ends in "/"; empty for the count command
  int bankOffset = 0;           // 0..15
  int tileOffset = 0;           // 0 or more
  int saturation = 0;           // -100..100 percent
  int luminance = 0;            // -100..100 percent
  bool countOnly = false;
  bool offerShow = false;  // an overflow's message offers "Show" (the editor)
};

enum class ExportStatus {
  Refused,         // a refusal was shown; ExportMap returns false
  CountsReported,  // count-only: the count report was shown; ExportMap returns true
  Ready,           // export mode within the limits: write the files
};

struct PreparedExport {
  ExportStatus status = ExportStatus::Refused;
  ExportReduction reduction;
  // The busy pointer goes up when the reduction starts and stays up until
  // this object is dropped, so the writer keeps it alive while it writes.
  std::unique_ptr<BusyPointer> busy;
  // After a palette or tile overflow: the cells its message names, and
  // whether the user asked to be shown them.
  CellsAtFault cellsAtFault;
  bool showCells = false;

  bool ready() const { return status == ExportStatus::Ready; }
};

// The part of ExportMap before any file is written: the refusals in their
// order (no tiles, grouping, un-optimized grouping), the reduction, then
// either the count report (count-only) or the palette and tile limits.
// Every refusal and report is shown through the project's services.
PreparedExport prepareExport(MapProject& project, const ExportRequest& request,
                             MatchMethod method = MatchMethod::Indexed);

// The count report and its caption suffix (" - Unique Counts" or " - Counts").
std::string countReportText(const ExportReduction& reduction, bool unoptimized);
const char* countReportSuffix(bool unoptimized);

inline constexpr const char* kNoTilesToCompareMessage = "No tiles to compare against.";
inline constexpr const char* kNothingToExportMessage =
    "There are no tiles in the project so there is nothing to export.";
inline constexpr const char* kNoGroup1Message = "There must be a tile 1 grouping.";
inline constexpr const char* kUnoptimizedGroupingMessage = "Unoptimized mode cannot use tile grouping.";
inline constexpr const char* kPaletteOverflowMessage =
    "There are more than 16 unique palettes in your exported data.\n\nNOTE: if you have applied a palette bank "
    "offset, this will reduce the over-all number of palettes that can be exported.  If possible, reduce the bank "
    "offset.  If this isn't possible, the only other solution is to use fewer unique palettes on your map.";
inline constexpr const char* kTileOverflowMessage =
    "There are more than 1024 unique tiles in your exported data.\n\nNOTE: if you have applied a tile index offset, "
    "this will reduce the over-all number of tiles that can be exported.  If possible, reduce the index offset.  If "
    "this isn't possible, the only other solution is to use fewer unique tiles on your map.";

}  // namespace qarto
