#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/platform_services.h"

namespace qarto::test {

// A PlatformServices double: records every message and chooser request and
// answers from queues the test fills. An empty answer queue gives the first
// button's answer (OK or Yes) and cancelled choosers.
class ScriptedServices : public PlatformServices {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
  };

  MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                           MessageIcon icon) override;
  std::vector<std::string> chooseOpenFiles(const FileChooserRequest& request) override;
  std::optional<std::string> chooseSaveFile(const FileChooserRequest& request) override;
  std::optional<std::string> chooseFolder(const std::string& title, const std::string& initialFolder) override;
  std::optional<std::uint32_t> chooseColour(const std::string& title, std::uint32_t initial) override;
  void setBusy(bool busy) override;
  void beep(int frequencyHz, int durationMs) override;

  // Scripting.
  std::deque<MessageAnswer> answers;
  std::deque<std::vector<std::string>> openFileAnswers;
  std::deque<std::optional<std::string>> saveFileAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::deque<std::optional<std::uint32_t>> colourAnswers;

  // Records.
  std::vector<Message> messages;
  std::vector<FileChooserRequest> openRequests;
  std::vector<FileChooserRequest> saveRequests;
  std::vector<std::string> folderRequests;
  std::vector<int> beeps;
  int busyDepth = 0;
  int busyCalls = 0;

  const Message& lastMessage() const { return messages.back(); }
  std::string lastText() const { return messages.empty() ? std::string() : messages.back().text; }
};

}  // namespace qarto::test
