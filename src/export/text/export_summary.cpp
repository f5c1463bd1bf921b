#include "export/text/export_summary.h"

#include <cstdio>

#include "model/app_title.h"
#include "model/platform_services.h"

namespace qarto {

namespace {

std::string fileList(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) list += "  " + path + "\n";
  return list;
}

}  // namespace

ExportSummary composeExportSummary(const ExportSummaryInput& input) {
  ExportSummary summary;
  summary.dataErrors = input.paletteErrors != 0 || input.tileErrors != 0;
  summary.problems = summary.dataErrors || !input.notWritten.empty();

  std::string files = fileList(input.exported);
  if (!input.notWritten.empty()) files += kNotWrittenIntro + fileList(input.notWritten);
  if (!input.notes.empty()) files += kPaddedLayersIntro + fileList(input.notes);

  if (!summary.dataErrors) {
    summary.caption = caption(" - Export Map");
    summary.text = std::string(kExportSummaryIntro) + "\n\n" + files;
    return summary;
  }
  char codes[96];
  std::snprintf(codes, sizeof codes, "\n\n\nPalette Error Code: %x\nTile Error Code: %x",
                static_cast<unsigned>(input.paletteErrors), static_cast<unsigned>(input.tileErrors));
  summary.caption = caption(" - Export Map Errors!");
  summary.text = std::string(kExportErrorsIntro) + "\n\n" + files + codes + cellsAtFaultText(input.cellsAtFault);
  return summary;
}

std::string exportStoppedText(const std::string& path) {
  return "Unable to write the export file:\n\n  " + path +
         "\n\nThe export has stopped. Files written before this one were kept.";
}

TextExportResult stoppedExport(const std::string& path, PlatformServices& services, TextExportResult result) {
  result.completed = false;
  result.caption = caption(" - Export Map");
  result.text = exportStoppedText(path);
  services.beep(kErrorBeepHz, kErrorBeepMs);
  services.messageBox(result.text, result.caption, MessageButtons::Ok, MessageIcon::Warning);
  return result;
}

TextExportResult finishedExport(const ExportSummaryInput& summary, PlatformServices& services,
                                TextExportResult result) {
  const ExportSummary box = composeExportSummary(summary);
  result.completed = true;
  result.caption = box.caption;
  result.text = box.text;
  result.notWritten = summary.notWritten;
  if (box.problems) services.beep(kErrorBeepHz, kErrorBeepMs);
  const bool show = summary.offerShow && summary.cellsAtFault.total > 0;
  const MessageAnswer answer =
      services.messageBox(box.text, box.caption, show ? MessageButtons::OkShow : MessageButtons::Ok,
                          summary.notWritten.empty() ? MessageIcon::Information : MessageIcon::Warning);
  if (answer == MessageAnswer::Show) result.showCells = summary.cellsAtFault;
  return result;
}

TextExportResult finishedInWritingOrder(int paletteErrors, int tileErrors, std::vector<std::string> notes,
                                        PlatformServices& services, TextExportResult result) {
  ExportSummaryInput summary;
  summary.exported = result.written;
  summary.paletteErrors = paletteErrors;
  summary.tileErrors = tileErrors;
  summary.notes = std::move(notes);
  return finishedExport(summary, services, std::move(result));
}

}  // namespace qarto
