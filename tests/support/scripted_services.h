#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "model/platform_services.h"

namespace qarto::test {

// A PlatformServices double: records every message and file chooser request
// and answers from queues the test fills. An empty answer queue gives the
// first button's answer (OK or Yes) and cancelled choosers.
class ScriptedServices : public PlatformServices {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
    friend bool operator==(const Message&, const Message&) = default;
  };

  MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                           MessageIcon icon) override;
  std::vector<std::string> chooseOpenFiles(const FileChooserRequest& request) override;
  std::optional<std::string> chooseSaveFile(const FileChooserRequest& request) override;
  std::optional<std::string> chooseFolder(const std::string& title, const std::string& initialFolder) override;
  std::optional<std::uint32_t> chooseColour(const std::string& title, std::uint32_t initial) override;
  int chooseButton(const std::string& text, const std::string& caption, const std::vector<std::string>& buttons,
                   int defaultButton, MessageIcon icon) override;
  void setBusy(bool busy) override;
  void beep(int frequencyHz, int durationMs) override;

  // Scripting.
  std::deque<MessageAnswer> answers;
  std::deque<std::vector<std::string>> openFileAnswers;
  std::deque<std::optional<std::string>> saveFileAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::deque<std::optional<std::uint32_t>> colourAnswers;
  std::deque<int> buttonAnswers;  // chooseButton: empty gives the default button

  // Records.
  std::vector<Message> messages;
  std::vector<FileChooserRequest> openRequests;
  std::vector<FileChooserRequest> saveRequests;
  std::vector<std::string> folderRequests;  // the choosers' titles
  std::vector<int> beeps;
  // chooseButton's questions: the text and the buttons joined with "|".
  std::vector<std::pair<std::string, std::string>> choices;
  int busyDepth = 0;
  int busyCalls = 0;

  const Message& lastMessage() const { return messages.back(); }
  std::string lastText() const { return messages.empty() ? std::string() : messages.back().text; }
  std::vector<std::string> texts() const;
};

// A message as the user must see it: the exact text, the application title
// followed by `captionSuffix`, the icon and the buttons.
ScriptedServices::Message shown(const std::string& text, MessageIcon icon, const std::string& captionSuffix = "",
                                MessageButtons buttons = MessageButtons::Ok);

// Readable failures: the message's fields instead of its bytes.
void PrintTo(const ScriptedServices::Message& message, std::ostream* out);

// Every field of a chooser request on one line, to compare them at once:
// EXPECT_EQ(describe(asked), chooser("Save Map", "Map Files (*.qrm)|*.qrm||", ".qrm", "/maps")).
std::string describe(const FileChooserRequest& request);
std::string chooser(const std::string& title, const std::string& filter, const std::string& extension,
                    const std::string& folder, const std::string& file = "", bool multiple = false);

}  // namespace qarto::test
