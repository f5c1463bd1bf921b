#include "cli/cli_services.h"

namespace qarto {

MessageAnswer CliServices::messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                                      MessageIcon icon) {
  const bool question = buttons != MessageButtons::Ok;
  if (!question && icon == MessageIcon::Information) {
    // Reports (summaries, counts) are the command's output.
    std::fprintf(report_, "%s\n", text.c_str());
    return MessageAnswer::Ok;
  }
  std::fprintf(out_, "%s: %s\n", caption.c_str(), text.c_str());
  if (!question) return MessageAnswer::Ok;
  if (answerYes_) {
    std::fprintf(out_, "(answered %s by --yes)\n", buttons == MessageButtons::OkCancel ? "OK" : "Yes");
    return buttons == MessageButtons::OkCancel ? MessageAnswer::Ok : MessageAnswer::Yes;
  }
  std::fprintf(out_, "(not confirmed: run again with --yes to answer yes)\n");
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

}  // namespace qarto
