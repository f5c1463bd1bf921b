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
  std::vector<KeyBinding> keys;  // the standard set
};

// The keys of a command in the standard or the "Classic keys" set (which
// gives Ctrl+V, Ctrl+A and Delete their first meanings back).
const std::vector<KeyBinding>& keysOf(const CommandInfo& info, bool classic);
// Whether the command's keys differ between the two sets.
bool keysDifferInClassic(int id);

// Every command of the editor, in id listing order.
const std::vector<CommandInfo>& commandTable();
const CommandInfo* findCommand(int id);
// The command an accelerator binds to the key, or 0.
int commandForKey(const KeyEvent& event, bool classic = false);
// A menu text ("Zoom Out\tDel") with the key shown after the tab that the
// command really has in the chosen set.
std::string menuTextFor(int id, const std::string& text, bool classic);

// Key names shared by scripts and listings: "F1", "PageUp", "Keypad5", "A".
const char* keyName(Key key);

}  // namespace qarto
