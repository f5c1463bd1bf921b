#include "support/scripted_services.h"

namespace qarto::test {

namespace {

// The next scripted answer, or `none` when the test gave no more.
template <typename T>
T next(std::deque<T>& answers, T none) {
  if (answers.empty()) return none;
  T answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

MessageAnswer ScriptedServices::messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                                           MessageIcon icon) {
  messages.push_back({text, caption, buttons, icon});
  const bool question = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
  return next(answers, question ? MessageAnswer::Yes : MessageAnswer::Ok);
}

std::vector<std::string> ScriptedServices::chooseOpenFiles(const FileChooserRequest& request) {
  openRequests.push_back(request);
  return next(openFileAnswers, {});
}

std::optional<std::string> ScriptedServices::chooseSaveFile(const FileChooserRequest& request) {
  saveRequests.push_back(request);
  return next(saveFileAnswers, {});
}

std::optional<std::string> ScriptedServices::chooseFolder(const std::string& title, const std::string&) {
  folderRequests.push_back(title);
  return next(folderAnswers, {});
}

std::optional<std::uint32_t> ScriptedServices::chooseColour(const std::string&, std::uint32_t) {
  return next(colourAnswers, {});
}

int ScriptedServices::chooseButton(const std::string& text, const std::string&,
                                   const std::vector<std::string>& buttons, int defaultButton, MessageIcon) {
  std::string labels;
  for (const std::string& label : buttons) labels += (labels.empty() ? "" : "|") + label;
  choices.emplace_back(text, labels);
  return next(buttonAnswers, defaultButton);
}

void ScriptedServices::setBusy(bool busy) {
  busyDepth += busy ? 1 : -1;
  ++busyCalls;
}

void ScriptedServices::beep(int frequencyHz, int) { beeps.push_back(frequencyHz); }

std::vector<std::string> ScriptedServices::texts() const {
  std::vector<std::string> out;
  for (const Message& message : messages) out.push_back(message.text);
  return out;
}

ScriptedServices::Message shown(const std::string& text, MessageIcon icon, const std::string& captionSuffix,
                                MessageButtons buttons) {
  return {text, "Qarto v0.99" + captionSuffix, buttons, icon};
}

void PrintTo(const ScriptedServices::Message& m, std::ostream* out) {
  *out << "\"" << m.text << "\" captioned \"" << m.caption << "\", buttons " << static_cast<int>(m.buttons) << ", icon "
       << static_cast<int>(m.icon);
}

std::string describe(const FileChooserRequest& r) {
  return "title \"" + r.title + "\" filter \"" + r.filter + "\" extension \"" + r.defaultExtension + "\" folder \"" +
         r.initialFolder + "\" file \"" + r.initialFile + "\"" + (r.multiple ? " multiple" : "");
}

std::string chooser(const std::string& title, const std::string& filter, const std::string& extension,
                    const std::string& folder, const std::string& file, bool multiple) {
  FileChooserRequest request;
  request.title = title;
  request.filter = filter;
  request.defaultExtension = extension;
  request.initialFolder = folder;
  request.initialFile = file;
  request.multiple = multiple;
  return describe(request);
}

}  // namespace qarto::test
