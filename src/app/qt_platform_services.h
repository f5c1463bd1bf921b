#pragma once

#include <QPointer>

#include "model/platform_services.h"

class QWidget;

namespace qarto {

// The core's dialogs as Qt shows them: message boxes, the file, folder and
// colour choosers, the busy pointer and the beep. Every window opens over
// the parent given (the main frame once it exists).
class QtPlatformServices : public PlatformServices {
 public:
  void setParentWindow(QWidget* parent) { parent_ = parent; }

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

 private:
  QPointer<QWidget> parent_;
  int busyDepth_ = 0;
};

}  // namespace qarto
