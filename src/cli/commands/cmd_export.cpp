#include <cstdio>
#include <optional>
#include <string>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "export/binary/binary_export.h"
#include "export/definition/customize_export.h"
#include "export/export_to_header.h"

namespace qarto {

namespace {

bool readShift(const CliArguments& arguments, const char* option, int& out, std::string& error) {
  if (!arguments.intValue(option, out, error)) return false;
  if (out < -100 || out > 100) {
    error = std::string("option ") + option + " must lie between -100 and 100";
    return false;
  }
  return true;
}

// As if the file were imported in Customize Export and confirmed with OK.
bool applyDefinition(CliContext& context, const std::string& path) {
  CustomizeExportPages pages = openCustomizeExport(context.settings());
  if (!importDefinitionFile(context.services(), pages, path)) return false;
  acceptCustomizeExport(context.settings(), pages);
  return true;
}

std::string presetList() {
  std::string list;
  for (const ExportPreset preset : allPresets()) list += std::string(list.empty() ? "" : ", ") + presetName(preset);
  return list;
}

}  // namespace

int runExport(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--bank-offset", "--tile-offset", "--saturation", "--luminance", "--definition", "--preset"},
                         {"--yes", "--binary", "--lz77", "--screenblocks"});
  std::string error;
  ExportOptions options;
  bool ok = arguments.parse(args, error) && arguments.intValue("--bank-offset", options.bankOffset, error) &&
            arguments.intValue("--tile-offset", options.tileOffset, error) &&
            readShift(arguments, "--saturation", options.saturation, error) &&
            readShift(arguments, "--luminance", options.luminance, error);
  if (ok && (options.bankOffset < 0 || options.bankOffset > 15)) {
    error = "option --bank-offset must lie between 0 and 15";
    ok = false;
  }
  if (ok && options.tileOffset < 0) {
    error = "option --tile-offset must not be negative";
    ok = false;
  }
  if (ok && (arguments.positional().size() != 1 || !arguments.value("-o"))) {
    error = "expected one map file and -o DIR";
    ok = false;
  }
  if (ok && arguments.value("--preset")) {
    const std::optional<ExportPreset> preset = presetNamed(*arguments.value("--preset"));
    ok = preset.has_value() && !arguments.has("--binary");
    if (!preset) error = "\"" + *arguments.value("--preset") + "\" is no preset (" + presetList() + ")";
    if (preset && !ok) error = "--preset names the C export's files; --binary writes its own";
    if (ok) options.preset = *preset;
  }
  if (!ok) {
    std::fprintf(stderr, "qarto-cli export: %s\n", error.c_str());
    return kExitUsage;
  }
  options.directory = *arguments.value("-o");
  options.lz77 = arguments.has("--lz77");
  options.screenBlocks = arguments.has("--screenblocks");

  CliContext context(arguments.has("--yes"), CliContext::Settings::User);
  if (auto definition = arguments.value("--definition")) {
    if (!applyDefinition(context, *definition)) return kExitFailed;
  }
  if (!context.loadMapFile(arguments.positional()[0])) return kExitFailed;
  const ExportOutcome outcome = arguments.has("--binary") ? exportBinary(context.session(), options)
                                                          : exportToHeaders(context.session(), options);
  return outcome.success && outcome.notWritten.empty() ? kExitOk : kExitFailed;
}

}  // namespace qarto
