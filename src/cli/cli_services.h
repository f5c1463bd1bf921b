#pragma once

#include <cstdio>
#include <string>

#include "model/recording_services.h"

namespace qarto {

// PlatformServices for the command line: reports (information messages) go
// to stdout, every other message to stderr, in the program's own words. A
// question is answered yes with --yes; otherwise the command stops on it
// (its text is printed and the answer is the cautious one: No or Cancel).
// Choosers are never available.
class CliServices : public RecordingServices {
 public:
  explicit CliServices(bool answerYes, std::FILE* out = stderr, std::FILE* report = stdout)
      : answerYes_(answerYes), out_(out), report_(report) {}

  MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                           MessageIcon icon) override;

 private:
  bool answerYes_;
  std::FILE* out_;
  std::FILE* report_;
};

}  // namespace qarto
