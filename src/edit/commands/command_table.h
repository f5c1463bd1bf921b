#pragma once

#include <string>
#include <vector>

#include "edit/view/input_event.h"

namespace qarto {

// Who handles a command: the map view (tried first), the main frame, or
// nobody (the item is always disabled).
enum class CommandTarget { View, Frame, None };

// One accelerator: a virtual key with exactly these modifiers, or a typed
// character (matched by the text the key types).
struct KeyBinding {
  Key key = Key::None;
  bool ctrl = false;
  bool shift = false;
  const char* typed = nullptr;

  static KeyBinding virtualKey(Key key, bool ctrl = false, bool shift = false) { return {key, ctrl, shift, nullptr}; }
  static KeyBinding character(const char* text) { return {Key::None, false, false, text}; }

  bool matches(const KeyEvent& event) const;
  // "Ctrl+Shift+S", "PageUp", "[": how menus and listings show it.
  std::string label() const;
};

struct CommandInfo {
  int id = 0;
  const char* name = "";    // short name, as the command table lists it
  const char* prompt = "";  // status line, "\n", tool tip
  CommandTarget target = CommandTarget::View;
  std::vector<KeyBinding> keys;
};

// Every command of the editor, in id listing order.
const std::vector<CommandInfo>& commandTable();
const CommandInfo* findCommand(int id);
// The command an accelerator binds to the key, or 0.
int commandForKey(const KeyEvent& event);

// Key names shared by scripts and listings: "F1", "PageUp", "Keypad5", "A".
const char* keyName(Key key);

}  // namespace qarto
