#pragma once

#include <string>
#include <vector>

#include "export/export_to_header.h"
#include "export/reduction/export_reduction.h"
#include "export/text/text_export_writer.h"

namespace qarto {

class PlatformServices;
class SettingsStore;

// Writes the arrays of the header export as little-endian binary files in
// the export directory, one per array, each named after its array with
// ".bin" added: the palette, the tiles of each tile group, each map array,
// each collision array and the entity list. Every file is written
// atomically; the summary (or the stop message when a file cannot be
// written) is shown through `services`. The export definition's templates
// only name the files; "NumAutoGen" does not advance.
TextExportResult writeBinaryExport(ExportReduction& reduction, const TextExportJob& job, SettingsStore& settings,
                                   PlatformServices& services);

// Export Map As > Binary after its dialog: the refusals and the reduction of
// Export to Headers, then writeBinaryExport.
ExportOutcome exportBinary(EditorSession& session, const ExportOptions& options);

}  // namespace qarto
