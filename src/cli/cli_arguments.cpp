#include "cli/cli_arguments.h"

#include <optional>

#include "model/settings/number_text.h"

namespace qarto {

CliArguments::CliArguments(std::set<std::string> valueOptions, std::set<std::string> flags)
    : valueOptions_(std::move(valueOptions)), flags_(std::move(flags)) {
  flags_.insert("--help");
}

bool CliArguments::parse(const std::vector<std::string>& args, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() > 1 && arg[0] == '-') {
      if (flags_.count(arg)) {
        seenFlags_.insert(arg);
        continue;
      }
      if (valueOptions_.count(arg)) {
        if (i + 1 >= args.size()) {
          error = "option " + arg + " needs a value";
          return false;
        }
        values_[arg] = args[++i];
        continue;
      }
      // Negative numbers are values of the option before them, never options.
      error = "unknown option " + arg;
      return false;
    }
    positional_.push_back(arg);
  }
  return true;
}

std::optional<std::string> CliArguments::value(const std::string& option) const {
  auto it = values_.find(option);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool CliArguments::intValue(const std::string& option, int& out, std::string& error) const {
  auto text = value(option);
  if (!text) return true;
  const std::optional<int> number = parseIntegerText(*text);
  if (!number) {
    error = "option " + option + " needs a whole number, not \"" + *text + "\"";
    return false;
  }
  out = *number;
  return true;
}

}  // namespace qarto
