#include "cli/cli_services.h"

namespace qarto {

MessageAnswer CliServices::messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                                      MessageIcon icon) {
  const bool question = buttons != MessageButtons::Ok && buttons != MessageButtons::OkShow;
  if (!question && icon == MessageIcon::Information) {
    // Reports (summaries, counts) are the command's output.
    std::fprintf(report_, "%s\n", text.c_str());
    return MessageAnswer::Ok;
  }
  std::fprintf(out_, "%s: %s\n", caption.c_str(), text.c_str());
  if (!question) return MessageAnswer::Ok;
  if (!answers_.empty()) {
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    static const char* const kNames[] = {"OK", "Cancel", "Yes", "No"};
    std::fprintf(out_, "(answered %s by the script)\n", kNames[static_cast<int>(answer)]);
    return answer;
  }
  if (answerYes_) {
    std::fprintf(out_, "(answered %s by --yes)\n", buttons == MessageButtons::OkCancel ? "OK" : "Yes");
    return buttons == MessageButtons::OkCancel ? MessageAnswer::Ok : MessageAnswer::Yes;
  }
  std::fprintf(out_, "(not confirmed: run again with --yes to answer yes)\n");
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

std::optional<std::string> CliServices::nextChoice() {
  if (choices_.empty()) return std::nullopt;
  std::string path = choices_.front();
  choices_.pop_front();
  return path;
}

std::vector<std::string> CliServices::chooseOpenFiles(const FileChooserRequest&) {
  std::optional<std::string> path = nextChoice();
  if (!path) return {};
  return {*path};
}

std::optional<std::string> CliServices::chooseSaveFile(const FileChooserRequest&) { return nextChoice(); }

std::optional<std::string> CliServices::chooseFolder(const std::string&, const std::string&) { return nextChoice(); }

}  // namespace qarto
