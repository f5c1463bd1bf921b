#include <cstdio>
#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "cli/json_writer.h"
#include "export/budget/budget_figures.h"
#include "export/budget/budget_tracker.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

std::string budgetJson(const BudgetFigures& figures) {
  std::ostringstream out;
  out << "{\"tiles\": [" << figures.tiles[0] << ", " << figures.tiles[1] << "], \"charBlocks\": ["
      << figures.charBlocks(0) << ", " << figures.charBlocks(1) << "], \"palettes\": " << figures.palettes
      << ", \"unregisteredCells\": " << figures.unregisteredCells << ", \"romBytes\": " << figures.romBytes()
      << ", \"layers\": [";
  const char* separator = "";
  for (const LayerBudget& layer : figures.layers) {
    out << separator << "{\"name\": " << jsonString(layer.name) << ", \"width\": " << layer.width
        << ", \"height\": " << layer.height << ", \"group\": " << layer.group + 1
        << ", \"screenBlocks\": " << layer.screenBlocks << ", \"streamed\": " << (layer.streamed ? "true" : "false")
        << "}";
    separator = ", ";
  }
  out << "], \"overruns\": [";
  separator = "";
  for (const std::string& line : figures.overruns()) {
    out << separator << jsonString(line);
    separator = ", ";
  }
  out << "]}\n";
  return out.str();
}

}  // namespace

int runBudget(const std::vector<std::string>& args) {
  CliArguments arguments({}, {"--json", "--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() != 1) {
    std::fprintf(stderr, "qarto-cli budget: %s\n", error.empty() ? "expected one map file" : error.c_str());
    return kExitUsage;
  }
  CliContext context(arguments.has("--yes"), CliContext::Settings::Private);
  if (!context.loadMapFile(arguments.positional()[0])) return kExitFailed;
  const MapProject& project = context.session().project();
  BudgetTracker tracker;
  tracker.recount(project);
  const BudgetFigures figures = budgetFigures(project, tracker.counts());
  const std::string text = arguments.has("--json") ? budgetJson(figures) : budgetReportText(figures);
  std::fputs(text.c_str(), stdout);
  return kExitOk;
}

}  // namespace qarto
