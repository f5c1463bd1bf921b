#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"

namespace {

void printOverview(std::FILE* out) {
  std::fputs("usage: qarto-cli COMMAND [ARGS...]\n\nCommands:\n", out);
  for (const qarto::CliCommand& command : qarto::cliCommands()) {
    // A summary's first line; the rest (option notes) belongs to the command's --help.
    const int firstLine = static_cast<int>(std::strcspn(command.summary, "\n"));
    std::fprintf(out, "  %-12s %.*s\n", command.name, firstLine, command.summary);
  }
  std::fputs("\nRun 'qarto-cli COMMAND --help' for a command's options.\n", out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    printOverview(stderr);
    return qarto::kExitUsage;
  }
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    printOverview(stdout);
    return qarto::kExitOk;
  }
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const qarto::CliCommand& command : qarto::cliCommands()) {
    if (name != command.name) continue;
    for (const std::string& arg : args) {
      if (arg == "--help" || arg == "-h") {
        std::printf("usage: qarto-cli %s\n\n%s\n", command.usage, command.summary);
        return qarto::kExitOk;
      }
    }
    return command.run(args);
  }
  std::fprintf(stderr, "qarto-cli: unknown command \"%s\"\n\n", name.c_str());
  printOverview(stderr);
  return qarto::kExitUsage;
}
