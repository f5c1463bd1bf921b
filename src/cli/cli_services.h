#pragma once

#include <cstdio>
#include <deque>
#include <string>

#include "edit/script/edit_script.h"
#include "model/recording_services.h"

namespace qarto {

// PlatformServices for the command line: reports (information messages) go
// to stdout, every other message to stderr, in the program's own words. A
// question is answered yes with --yes; otherwise the command stops on it
// (its text is printed and the answer is the cautious one: No or Cancel).
// An edit script may queue the answers to the next questions and the paths
// the next file or folder choosers return; without them choosers are
// cancelled.
class CliServices : public RecordingServices, public ScriptAnswers {
 public:
  explicit CliServices(bool answerYes, std::FILE* out = stderr, std::FILE* report = stdout)
      : answerYes_(answerYes), out_(out), report_(report) {}

  MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                           MessageIcon icon) override;
  std::vector<std::string> chooseOpenFiles(const FileChooserRequest& request) override;
  std::optional<std::string> chooseSaveFile(const FileChooserRequest& request) override;
  std::optional<std::string> chooseFolder(const std::string& title, const std::string& initialFolder) override;

  void queueAnswer(MessageAnswer answer) override { answers_.push_back(answer); }
  void queueChoice(const std::string& path) override { choices_.push_back(path); }

 private:
  std::optional<std::string> nextChoice();

  std::deque<MessageAnswer> answers_;
  std::deque<std::string> choices_;
  bool answerYes_;
  std::FILE* out_;
  std::FILE* report_;
};

}  // namespace qarto
