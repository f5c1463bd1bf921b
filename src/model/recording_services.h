#pragma once

#include <string>
#include <vector>

#include "model/platform_services.h"

namespace qarto {

// PlatformServices for programs that run without a user (generators,
// benchmarks): every message is kept, questions get the cautious answer and
// choosers are cancelled.
class RecordingServices : public PlatformServices {
 public:
  MessageAnswer messageBox(const std::string& text, const std::string&, MessageButtons buttons,
                           MessageIcon) override {
    messages.push_back(text);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
  }
  std::vector<std::string> chooseOpenFiles(const FileChooserRequest&) override { return {}; }
  std::optional<std::string> chooseSaveFile(const FileChooserRequest&) override { return std::nullopt; }
  std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<std::uint32_t> chooseColour(const std::string&, std::uint32_t) override { return std::nullopt; }
  void setBusy(bool) override {}
  void beep(int, int) override {}

  std::vector<std::string> messages;
};

}  // namespace qarto
