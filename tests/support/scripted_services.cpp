#include "support/scripted_services.h"

namespace qarto::test {

MessageAnswer ScriptedServices::messageBox(const std::string& text, const std::string& caption,
                                           MessageButtons buttons, MessageIcon icon) {
  messages.push_back({text, caption, buttons, icon});
  if (!answers.empty()) {
    MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel) ? MessageAnswer::Yes
                                                                                      : MessageAnswer::Ok;
}

std::vector<std::string> ScriptedServices::chooseOpenFiles(const FileChooserRequest& request) {
  openRequests.push_back(request);
  if (openFileAnswers.empty()) return {};
  auto answer = openFileAnswers.front();
  openFileAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedServices::chooseSaveFile(const FileChooserRequest& request) {
  saveRequests.push_back(request);
  if (saveFileAnswers.empty()) return std::nullopt;
  auto answer = saveFileAnswers.front();
  saveFileAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedServices::chooseFolder(const std::string& title, const std::string&) {
  folderRequests.push_back(title);
  if (folderAnswers.empty()) return std::nullopt;
  auto answer = folderAnswers.front();
  folderAnswers.pop_front();
  return answer;
}

std::optional<std::uint32_t> ScriptedServices::chooseColour(const std::string&, std::uint32_t) {
  if (colourAnswers.empty()) return std::nullopt;
  auto answer = colourAnswers.front();
  colourAnswers.pop_front();
  return answer;
}

void ScriptedServices::setBusy(bool busy) {
  busyDepth += busy ? 1 : -1;
  ++busyCalls;
}

void ScriptedServices::beep(int frequencyHz, int) { beeps.push_back(frequencyHz); }

}  // namespace qarto::test
