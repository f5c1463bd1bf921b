#pragma once

#include <cstdio>
#include <string>

#include "model/platform_services.h"

namespace qarto {

// PlatformServices for the command line: reports (information messages) go
// to stdout, every other message to stderr, in the program's own words; a question is answered yes with --yes, otherwise the
// command stops on it (the question's text is printed and the answer is the
// cautious one: No or Cancel). Choosers are never available.
class CliServices : public PlatformServices {
 public:
  explicit CliServices(bool answerYes, std::FILE* out = stderr, std::FILE* report = stdout)
      : answerYes_(answerYes), out_(out), report_(report) {}

  MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                           MessageIcon icon) override;
  std::vector<std::string> chooseOpenFiles(const FileChooserRequest&) override { return {}; }
  std::optional<std::string> chooseSaveFile(const FileChooserRequest&) override { return std::nullopt; }
  std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<std::uint32_t> chooseColour(const std::string&, std::uint32_t) override { return std::nullopt; }
  void setBusy(bool) override {}
  void beep(int, int) override {}

  // A question was put and declined because --yes was not given.
  bool questionDeclined() const { return questionDeclined_; }
  int messagesShown() const { return messagesShown_; }

 private:
  bool answerYes_;
  std::FILE* out_;
  std::FILE* report_;
  bool questionDeclined_ = false;
  int messagesShown_ = 0;
};

}  // namespace qarto
