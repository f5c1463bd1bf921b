#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "edit/view/input_event.h"
#include "model/platform_services.h"

namespace qarto {

class EditorCommands;

// Where a script's answers go: the next question gets the next queued
// answer, the next file or folder chooser the next queued path.
class ScriptAnswers {
 public:
  virtual ~ScriptAnswers() = default;
  virtual void queueAnswer(MessageAnswer answer) = 0;
  virtual void queueChoice(const std::string& path) = 0;
};

// One line of an edit script.
struct ScriptStep {
  enum class Kind { Size, Press, Move, Release, Wheel, Key, Set, Answer, Choose, Command, Layer, Flags, Entity, Select };
  Kind kind = Kind::Size;
  int line = 0;
  ViewPoint point;           // Size: width and height; Select: the first cell
  ViewPoint point2;          // Select: the opposite cell
  MouseButton button = MouseButton::Left;
  ButtonSet held;            // Move
  Modifiers modifiers;
  int delta = 0;             // Wheel
  KeyEvent key;              // Key
  std::string section;       // Set
  std::string name;          // Set: key; Choose: path; Layer: layer name; Flags, Entity: the control
  std::string value;         // Set
  MessageAnswer answer = MessageAnswer::Ok;
  int command = 0;           // Command
  int number = 0;            // Flags: list entry, on (1) or off (0), mode; Entity: list row
};

struct ScriptParseResult {
  std::vector<ScriptStep> steps;
  int errorLine = 0;  // 0: no error
  std::string error;
};

// Parses a whole script: one command a line, "#" starts a comment,
// coordinates in window pixels. Stops at the first malformed line.
ScriptParseResult parseEditScript(const std::string& text);

// The key a script names: F1..F12, Space, Tab, PageUp, PageDown, Home,
// Left, Right, Up, Down, Keypad0..Keypad9, Plus, Minus, A..Z, 0..9 (and a
// few more: Escape, Insert, Delete, End, Shift, Ctrl, Menu), or a single
// typed character.
std::optional<KeyEvent> scriptKey(const std::string& name, Modifiers modifiers);

struct ScriptRunResult {
  int errorLine = 0;  // 0: every step ran
  std::string error;
};

// Runs the steps through the editor's commands and view, as the editor
// window would deliver them. Stops at a step that cannot be carried out
// (a layer that does not exist).
ScriptRunResult runEditScript(const std::vector<ScriptStep>& steps, EditorCommands& commands,
                              ScriptAnswers& answers);

}  // namespace qarto
