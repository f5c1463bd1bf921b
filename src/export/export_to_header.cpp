#include "export/export_to_header.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "export/export_paths.h"
#include "export/export_preparation.h"
#include "export/presets/butano_export.h"
#include "export/presets/grit_export.h"
#include "export/text/text_export_writer.h"
#include "io/files/path_utils.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/settings/number_text.h"
#include "model/settings/settings_store.h"

namespace qarto {

namespace {

// Far beyond any tile count, and safe to add a tile count to.
constexpr int kMaxTileOffset = INT_MAX / 2;

}  // namespace

std::string defaultExportHeaderPath() {
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? std::string(home) : std::string("/");
}

ExportToHeaderValues loadExportToHeader(SettingsStore& settings, const std::string& mapPath) {
  ExportToHeaderValues values;
  const std::string mapFolder = splitPath(mapPath).folder;
  values.exportPath =
      settings.readText(kSettingsSection, "ExportHeaderPath", mapFolder.empty() ? defaultExportHeaderPath() : mapFolder);
  values.tileOffsetText = std::to_string(std::max(0, settings.readInt(kSettingsSection, "TileOffset", 0)));
  // A slider cannot hold a position outside its range.
  values.bankOffset = std::clamp(settings.readInt(kSettingsSection, "BankOffset", 0), 0, kMaxBankOffset);
  values.saturation =
      std::clamp(settings.readInt(kSettingsSection, "Saturation", kNeutralShiftPosition), 0, kMaxShiftPosition);
  values.luminance =
      std::clamp(settings.readInt(kSettingsSection, "Luminance", kNeutralShiftPosition), 0, kMaxShiftPosition);
  values.screenBlocks = settings.readInt(kSettingsSection, "ExportScreenBlocks", 0) != 0;
  values.lz77 = settings.readInt(kSettingsSection, "ExportLz77", 0) != 0;
  values.preset = presetNamed(settings.readText(kSettingsSection, "ExportPreset", presetName(ExportPreset::Templates)))
                      .value_or(ExportPreset::Templates);
  return values;
}

std::optional<int> parseTileOffset(const std::string& text) {
  const std::optional<int> value = parseIntegerText(text);
  if (!value || *value < 0) return std::nullopt;
  return std::min(*value, kMaxTileOffset);
}

std::string bankOffsetLabel(int position) { return std::to_string(position); }

std::string shiftLabel(int position) { return std::to_string(position - kNeutralShiftPosition) + "%"; }

void resetShifts(ExportToHeaderValues& values) {
  values.saturation = kNeutralShiftPosition;
  values.luminance = kNeutralShiftPosition;
}

bool chooseExportFolder(PlatformServices& services, SettingsStore& settings, ExportToHeaderValues& values) {
  const std::optional<std::string> folder = services.chooseFolder(kExportFolderChooserTitle, values.exportPath);
  if (!folder) return false;
  values.exportPath = *folder;
  settings.writeText(kSettingsSection, "ExportHeaderPath", *folder);
  return true;
}

void showTileOffsetHelp(PlatformServices& services) {
  services.messageBox(kTileOffsetHelpText, caption(kTileOffsetHelpSuffix), MessageButtons::Ok,
                      MessageIcon::Information);
}

void showBankOffsetHelp(PlatformServices& services) {
  services.messageBox(kBankOffsetHelpText, caption(kBankOffsetHelpSuffix), MessageButtons::Ok,
                      MessageIcon::Information);
}

std::optional<ExportOptions> acceptExportToHeader(PlatformServices& services, SettingsStore& settings,
                                                  const ExportToHeaderValues& values) {
  const std::optional<int> tileOffset = parseTileOffset(values.tileOffsetText);
  if (!tileOffset) {
    services.messageBox(kBadTileOffsetText, caption(kExportToHeaderCaptionSuffix), MessageButtons::Ok,
                        MessageIcon::Exclamation);
    return std::nullopt;
  }
  settings.writeText(kSettingsSection, "ExportHeaderPath", values.exportPath);
  settings.writeInt(kSettingsSection, "BankOffset", values.bankOffset);
  settings.writeInt(kSettingsSection, "Saturation", values.saturation);
  settings.writeInt(kSettingsSection, "Luminance", values.luminance);
  settings.writeInt(kSettingsSection, "TileOffset", *tileOffset);
  settings.writeInt(kSettingsSection, "ExportScreenBlocks", values.screenBlocks ? 1 : 0);
  settings.writeInt(kSettingsSection, "ExportLz77", values.lz77 ? 1 : 0);
  settings.writeText(kSettingsSection, "ExportPreset", presetName(values.preset));

  ExportOptions options;
  options.directory = exportDirectoryFromPath(values.exportPath);
  options.bankOffset = values.bankOffset;
  options.tileOffset = *tileOffset;
  options.saturation = values.saturation - kNeutralShiftPosition;
  options.luminance = values.luminance - kNeutralShiftPosition;
  options.screenBlocks = values.screenBlocks;
  options.lz77 = values.lz77;
  options.preset = values.preset;
  return options;
}

ExportOutcome runExport(EditorSession& session, const ExportOptions& options, ExportWriter writer) {
  ExportRequest request;
  request.exportDirectory = exportDirectoryFromPath(options.directory);
  request.bankOffset = std::clamp(options.bankOffset, 0, kMaxBankOffset);
  request.tileOffset = std::clamp(options.tileOffset, 0, kMaxTileOffset);
  request.saturation = std::clamp(options.saturation, -kNeutralShiftPosition, kNeutralShiftPosition);
  request.luminance = std::clamp(options.luminance, -kNeutralShiftPosition, kNeutralShiftPosition);
  request.countOnly = false;
  request.offerShow = options.offerShow;

  MapProject& project = session.project();
  PreparedExport prepared = prepareExport(project, request);
  if (!prepared.ready()) {  // the refusal has been shown
    ExportOutcome refused;
    if (prepared.showCells) refused.showCells = prepared.cellsAtFault;
    return refused;
  }

  TextExportJob job;
  job.layers = &project.layers();
  job.registry = &session.registry();
  job.mapFilePath = project.filePath;
  job.exportDirectory = request.exportDirectory;
  job.bankOffset = request.bankOffset;
  job.tileOffset = request.tileOffset;
  job.saturation = request.saturation;
  job.luminance = request.luminance;
  job.startTime = options.startTime.value_or(std::time(nullptr));
  job.offerShow = options.offerShow;
  job.layout.screenBlocks = options.screenBlocks;
  job.layout.lz77 = options.lz77;
  const TextExportResult result = writer(prepared.reduction, job, session.settings(), session.services());

  ExportOutcome outcome;
  outcome.success = result.completed;
  outcome.summary = result.text;
  outcome.written = result.written;
  outcome.notWritten = result.notWritten;
  outcome.showCells = result.showCells;
  return outcome;
}

ExportOutcome exportToHeaders(EditorSession& session, const ExportOptions& options) {
  switch (options.preset) {
    case ExportPreset::Grit: return runExport(session, options, writeGritExport);
    case ExportPreset::Butano: return runExport(session, options, writeButanoExport);
    case ExportPreset::Templates: break;
  }
  return runExport(session, options, writeTextExport);
}

}  // namespace qarto
