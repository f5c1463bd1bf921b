#pragma once

#include <string>
#include <vector>

namespace qarto {

// One qarto-cli sub-command: its name, one line of help, its usage text and
// the function that runs it on the arguments after the name.
struct CliCommand {
  const char* name;
  const char* summary;
  const char* usage;
  int (*run)(const std::vector<std::string>& args);
};

const std::vector<CliCommand>& cliCommands();

int runSelfcheck(const std::vector<std::string>& args);
int runInfo(const std::vector<std::string>& args);
int runUpgrade(const std::vector<std::string>& args);
int runExport(const std::vector<std::string>& args);
int runCount(const std::vector<std::string>& args);
int runLayerBmp(const std::vector<std::string>& args);
int runImportLayer(const std::vector<std::string>& args);
int runValidate(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);
int runEdit(const std::vector<std::string>& args);
int runCommands(const std::vector<std::string>& args);
int runRom(const std::vector<std::string>& args);
int runRun(const std::vector<std::string>& args);
int runRemapPalette(const std::vector<std::string>& args);
int runBudget(const std::vector<std::string>& args);
int runRecover(const std::vector<std::string>& args);
int runImportTmx(const std::vector<std::string>& args);
int runExportTmx(const std::vector<std::string>& args);
int runImportImage(const std::vector<std::string>& args);

}  // namespace qarto
