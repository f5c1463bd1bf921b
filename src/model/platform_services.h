#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qarto {

// OkShow: OK and "Show", which points at what the message is about.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, OkShow };
enum class MessageIcon { None, Information, Warning, Exclamation, Question, Stop };
enum class MessageAnswer { Ok, Cancel, Yes, No, Show };

// What a file chooser needs. Filters use the "Label|*.a;*.b|Label|*.c||" form.
struct FileChooserRequest {
  std::string title;
  std::string filter;
  std::string defaultExtension;  // ".bmp"
  std::string initialFolder;
  std::string initialFile;
  bool multiple = false;  // open chooser only
};

// Everything the core needs from the user. The core never opens a window
// itself; the application implements this with real dialogs and the tests
// with a scripted double.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  virtual MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                   MessageButtons buttons, MessageIcon icon) = 0;

  // Chosen paths, or empty when cancelled. Files must exist.
  virtual std::vector<std::string> chooseOpenFiles(const FileChooserRequest& request) = 0;
  // The chosen path; asks before overwriting an existing file.
  virtual std::optional<std::string> chooseSaveFile(const FileChooserRequest& request) = 0;
  virtual std::optional<std::string> chooseFolder(const std::string& title, const std::string& initialFolder) = 0;
  // Colours are 0x00BBGGRR as the settings store keeps them.
  virtual std::optional<std::uint32_t> chooseColour(const std::string& title, std::uint32_t initial) = 0;

  // A question with buttons of its own ("Restore", "Discard", "Later");
  // returns the index of the button chosen. The last button must be the
  // one that changes nothing: it is the answer where nobody can be asked.
  virtual int chooseButton(const std::string& text, const std::string& caption,
                           const std::vector<std::string>& buttons, int defaultButton, MessageIcon icon) {
    (void)text, (void)caption, (void)defaultButton, (void)icon;
    return static_cast<int>(buttons.size()) - 1;
  }

  virtual void setBusy(bool busy) = 0;
  virtual void beep(int frequencyHz, int durationMs) = 0;
};

// Shows the busy pointer for the lifetime of the object.
class BusyPointer {
 public:
  explicit BusyPointer(PlatformServices& services) : services_(services) { services_.setBusy(true); }
  ~BusyPointer() { services_.setBusy(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  PlatformServices& services_;
};

}  // namespace qarto
