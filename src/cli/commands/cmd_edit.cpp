#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_editor.h"
#include "edit/script/edit_script.h"
#include "edit/session/map_file_commands.h"

namespace qarto {

namespace {

bool readText(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream out;
  out << in.rdbuf();
  text = out.str();
  return true;
}

}  // namespace

int runEdit(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--script"}, {"--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() != 1 || !arguments.value("--script")) {
    std::fprintf(stderr, "qarto-cli edit: %s\n", error.empty() ? "expected one map file and --script FILE" : error.c_str());
    return kExitUsage;
  }
  const std::string& path = arguments.positional()[0];
  const std::string scriptPath = *arguments.value("--script");
  std::string scriptText;
  if (!readText(scriptPath, scriptText)) {
    std::fprintf(stderr, "qarto-cli edit: cannot read the script %s\n", scriptPath.c_str());
    return kExitFailed;
  }
  const ScriptParseResult script = parseEditScript(scriptText);
  if (script.errorLine != 0) {
    std::fprintf(stderr, "qarto-cli edit: %s:%d: %s\n", scriptPath.c_str(), script.errorLine, script.error.c_str());
    return kExitUsage;
  }

  CliEditor editor(arguments.has("--yes"));
  if (!editor.load(path)) return kExitFailed;
  MapViewEngine& engine = editor.engine();
  const ScriptRunResult run = runEditScript(script.steps, editor.commands(), editor.services());
  if (run.errorLine != 0) {
    std::fprintf(stderr, "qarto-cli edit: %s:%d: %s; nothing was saved\n", scriptPath.c_str(), run.errorLine,
                 run.error.c_str());
    return kExitFailed;
  }
  engine.endStroke();
  engine.project().filePath = arguments.value("-o").value_or(path);
  return saveMap(engine.session(), false) ? kExitOk : kExitFailed;
}

}  // namespace qarto
