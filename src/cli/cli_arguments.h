#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qarto {

// Exit codes of qarto-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // refused or failed
inline constexpr int kExitUsage = 2;

// Parses "positional --flag --option value" command lines against the
// options a command accepts.
class CliArguments {
 public:
  // `valueOptions` take a value ("-o", "--layer"); `flags` do not.
  CliArguments(std::set<std::string> valueOptions, std::set<std::string> flags);

  // False with `error` set on an unknown option or a missing value.
  bool parse(const std::vector<std::string>& args, std::string& error);

  const std::vector<std::string>& positional() const { return positional_; }
  bool has(const std::string& flag) const { return seenFlags_.count(flag) != 0; }
  std::optional<std::string> value(const std::string& option) const;
  // An integer option; false (with error) when present but not a number.
  bool intValue(const std::string& option, int& out, std::string& error) const;

 private:
  std::set<std::string> valueOptions_;
  std::set<std::string> flags_;
  std::vector<std::string> positional_;
  std::set<std::string> seenFlags_;
  std::map<std::string, std::string> values_;
};

}  // namespace qarto
