#include "edit/script/edit_script.h"

#include <cctype>
#include <charconv>
#include <sstream>

#include "edit/commands/command_table.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/engine/side_bars.h"
#include "edit/selection/region_edit.h"
#include "model/settings/settings_store.h"

namespace qarto {

namespace {

std::vector<std::string> tokensOf(const std::string& line) {
  std::vector<std::string> tokens;
  std::istringstream in(line);
  for (std::string token; in >> token;) {
    if (token[0] == '#') break;  // the rest is a comment
    tokens.push_back(token);
  }
  return tokens;
}

bool parseInt(const std::string& text, int& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end;
}

// The words after the fixed arguments: buttons and modifiers.
bool parseFlags(const std::vector<std::string>& words, std::size_t from, ScriptStep& step, bool buttonsAllowed,
                std::string& error) {
  bool buttonNamed = false;
  for (std::size_t i = from; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w == "shift") {
      step.modifiers.shift = true;
    } else if (w == "ctrl") {
      step.modifiers.ctrl = true;
    } else if (w == "alt") {
      step.modifiers.alt = true;
    } else if (buttonsAllowed && (w == "left" || w == "middle" || w == "right")) {
      const MouseButton button = w == "left" ? MouseButton::Left : w == "middle" ? MouseButton::Middle : MouseButton::Right;
      if (step.kind == ScriptStep::Kind::Move) {
        if (button == MouseButton::Left) step.held.left = true;
        if (button == MouseButton::Middle) step.held.middle = true;
        if (button == MouseButton::Right) step.held.right = true;
      } else {
        if (buttonNamed) {
          error = "more than one button";
          return false;
        }
        step.button = button;
      }
      buttonNamed = true;
    } else {
      error = "unexpected \"" + w + "\"";
      return false;
    }
  }
  return true;
}

// The text after the first `skip` words of a line, trimmed (paths and
// setting values may hold blanks).
std::string restOf(const std::string& line, int skip) {
  std::size_t pos = 0;
  for (int i = 0; i < skip; ++i) {
    pos = line.find_first_not_of(" \t", pos);
    pos = line.find_first_of(" \t", pos);
    if (pos == std::string::npos) return {};
  }
  pos = line.find_first_not_of(" \t", pos);
  if (pos == std::string::npos) return {};
  std::string rest = line.substr(pos);
  rest.erase(rest.find_last_not_of(" \t\r") + 1);
  return rest;
}

// One word out of `choices`; its index goes to `out`.
bool parseChoice(const std::string& word, std::initializer_list<const char*> choices, int& out) {
  int index = 0;
  for (const char* choice : choices) {
    if (word == choice) {
      out = index;
      return true;
    }
    ++index;
  }
  return false;
}

// "flags marker N", "flags damage N", "flags solid on|off", "flags jump on|off",
// "flags mode add|remove|replace": the Flags bar's controls.
bool parseFlagsLine(const std::vector<std::string>& w, ScriptStep& step, std::string& error) {
  step.kind = ScriptStep::Kind::Flags;
  if (w.size() != 3) {
    error = "flags takes a control and a value, e.g. \"flags solid on\"";
    return false;
  }
  step.name = w[1];
  const std::string& value = w[2];
  if (step.name == "marker" || step.name == "damage") {
    const int entries = static_cast<int>(step.name == "marker" ? SideBars::markerNames().size()
                                                               : SideBars::damageNames().size());
    if (parseInt(value, step.number) && step.number >= 0 && step.number < entries) return true;
    error = "the " + std::string(step.name == "marker" ? "Markers" : "Damage Type") + " list has entries 0 to " +
            std::to_string(entries - 1);
    return false;
  }
  if (step.name == "solid" || step.name == "jump") {
    if (parseChoice(value, {"off", "on"}, step.number)) return true;
    error = "flags " + step.name + " is on or off";
    return false;
  }
  if (step.name == "mode") {
    if (parseChoice(value, {"add", "remove", "replace"}, step.number)) return true;
    error = "flags mode is add, remove or replace";
    return false;
  }
  error = "flags controls are marker, damage, solid, jump and mode";
  return false;
}

// "entity type N", "entity spawn", "entity delete", "entity clone": the Entities bar's controls.
bool parseEntityLine(const std::vector<std::string>& w, ScriptStep& step, std::string& error) {
  step.kind = ScriptStep::Kind::Entity;
  step.name = w.size() > 1 ? w[1] : "";
  if (step.name == "type") {
    if (w.size() == 3 && parseInt(w[2], step.number)) return true;
    error = "entity type takes the row number of the entity list";
    return false;
  }
  if ((step.name == "spawn" || step.name == "delete" || step.name == "clone") && w.size() == 2) return true;
  error = "entity takes type N, spawn, delete or clone";
  return false;
}

bool parseLine(const std::string& line, const std::vector<std::string>& w, ScriptStep& step, std::string& error) {
  const std::string& verb = w[0];
  auto needs = [&](std::size_t count) {
    if (w.size() >= count) return true;
    error = "\"" + verb + "\" needs " + std::to_string(count - 1) + " argument" + (count == 2 ? "" : "s");
    return false;
  };
  auto point = [&](std::size_t at) {
    if (parseInt(w[at], step.point.x) && parseInt(w[at + 1], step.point.y)) return true;
    error = "coordinates must be whole numbers";
    return false;
  };
  using Kind = ScriptStep::Kind;
  if (verb == "size") {
    step.kind = Kind::Size;
    if (!needs(3) || !point(1)) return false;
    if (w.size() > 3 || step.point.x < 0 || step.point.y < 0) {
      error = "size takes a width and a height";
      return false;
    }
    return true;
  }
  if (verb == "press" || verb == "move" || verb == "release") {
    step.kind = verb == "press" ? Kind::Press : verb == "move" ? Kind::Move : Kind::Release;
    return needs(3) && point(1) && parseFlags(w, 3, step, true, error);
  }
  if (verb == "wheel") {
    step.kind = Kind::Wheel;
    if (!needs(4) || !point(1)) return false;
    if (!parseInt(w[3], step.delta)) {
      error = "the wheel delta must be a whole number";
      return false;
    }
    return parseFlags(w, 4, step, false, error);
  }
  if (verb == "key") {
    step.kind = Kind::Key;
    if (!needs(2) || !parseFlags(w, 2, step, false, error)) return false;
    std::optional<KeyEvent> key = scriptKey(w[1], step.modifiers);
    if (!key) {
      error = "unknown key \"" + w[1] + "\"";
      return false;
    }
    step.key = *key;
    return true;
  }
  if (verb == "set") {
    step.kind = Kind::Set;
    if (!needs(4)) return false;
    step.section = w[1];
    step.name = w[2];
    step.value = restOf(line, 3);
    return true;
  }
  if (verb == "answer") {
    step.kind = Kind::Answer;
    if (!needs(2)) return false;
    const std::string& a = w[1];
    if (a == "yes") step.answer = MessageAnswer::Yes;
    else if (a == "no") step.answer = MessageAnswer::No;
    else if (a == "cancel") step.answer = MessageAnswer::Cancel;
    else if (a == "ok") step.answer = MessageAnswer::Ok;
    else {
      error = "answer is yes, no, cancel or ok";
      return false;
    }
    return w.size() == 2 || (error = "answer takes one word", false);
  }
  if (verb == "choose") {
    step.kind = Kind::Choose;
    step.name = restOf(line, 1);
    if (step.name.empty()) error = "choose needs a path";
    return !step.name.empty();
  }
  if (verb == "command") {
    step.kind = Kind::Command;
    if (!needs(2)) return false;
    if (!parseInt(w[1], step.command) || findCommand(step.command) == nullptr) {
      error = "unknown command \"" + w[1] + "\"";
      return false;
    }
    return w.size() == 2 || (error = "command takes one number", false);
  }
  if (verb == "layer") {
    step.kind = Kind::Layer;
    step.name = restOf(line, 1);
    if (step.name.empty()) error = "layer needs a name";
    return !step.name.empty();
  }
  if (verb == "select") {
    // Cells of the active layer, either corner first.
    step.kind = Kind::Select;
    if (!needs(5) || !point(1)) return false;
    if (!parseInt(w[3], step.point2.x) || !parseInt(w[4], step.point2.y) || w.size() > 5) {
      error = "select takes two cells: X1 Y1 X2 Y2";
      return false;
    }
    return true;
  }
  if (verb == "flags") return parseFlagsLine(w, step, error);
  if (verb == "entity") return parseEntityLine(w, step, error);
  error = "unknown command \"" + verb + "\"";
  return false;
}

void runFlagsStep(const ScriptStep& step, SideBars& bars) {
  if (step.name == "marker") bars.selectMarker(step.number);
  if (step.name == "damage") bars.selectDamage(step.number);
  if (step.name == "solid") bars.setSolid(step.number != 0);
  if (step.name == "jump") bars.setJumpThrough(step.number != 0);
  if (step.name == "mode") bars.setMode(static_cast<FlagPaintMode>(step.number));
}

// False for a row the list does not have.
bool runEntityStep(const ScriptStep& step, SideBars& bars) {
  if (step.name == "type") return bars.selectEntityRow(step.number);
  if (step.name == "spawn") bars.spawn();
  if (step.name == "delete") bars.deleteSelected();
  if (step.name == "clone") bars.cloneSelected();
  return true;
}

}  // namespace

ScriptParseResult parseEditScript(const std::string& text) {
  ScriptParseResult result;
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::vector<std::string> words = tokensOf(line);
    if (words.empty()) continue;
    ScriptStep step;
    step.line = number;
    std::string error;
    if (!parseLine(line, words, step, error)) {
      result.errorLine = number;
      result.error = error;
      result.steps.clear();
      return result;
    }
    result.steps.push_back(std::move(step));
  }
  return result;
}

std::optional<KeyEvent> scriptKey(const std::string& name, Modifiers modifiers) {
  KeyEvent event;
  event.modifiers = modifiers;
  static const std::pair<const char*, Key> kNamed[] = {
      {"F1", Key::F1},       {"F2", Key::F2},         {"F3", Key::F3},         {"F4", Key::F4},
      {"F5", Key::F5},       {"F6", Key::F6},         {"F7", Key::F7},         {"F8", Key::F8},
      {"F9", Key::F9},       {"F10", Key::F10},       {"F11", Key::F11},       {"F12", Key::F12},
      {"Space", Key::Space}, {"Tab", Key::Tab},       {"PageUp", Key::PageUp}, {"PageDown", Key::PageDown},
      {"Home", Key::Home},   {"End", Key::End},       {"Left", Key::Left},     {"Right", Key::Right},
      {"Up", Key::Up},       {"Down", Key::Down},     {"Escape", Key::Escape}, {"Insert", Key::Insert},
      {"Delete", Key::Delete}, {"Shift", Key::Shift}, {"Ctrl", Key::Control},  {"Menu", Key::Menu}};
  for (const auto& [text, key] : kNamed) {
    if (name == text) {
      event.key = key;
      if (key == Key::Space) event.text = " ";
      if (key == Key::Tab) event.text = "\t";
      return event;
    }
  }
  if (name.size() == 7 && name.compare(0, 6, "Keypad") == 0 && std::isdigit(static_cast<unsigned char>(name[6]))) {
    event.key = static_cast<Key>(static_cast<int>(Key::Keypad0) + (name[6] - '0'));
    event.text = name.substr(6);
    return event;
  }
  if (name == "Plus" || name == "Minus") {
    event.key = Key::Other;
    event.text = name == "Plus" ? "+" : "-";
    return event;
  }
  if (name.size() != 1) return std::nullopt;
  const char c = name[0];
  if (std::isalpha(static_cast<unsigned char>(c))) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    event.key = static_cast<Key>(static_cast<int>(Key::A) + (upper - 'A'));
    event.text = std::string(1, modifiers.shift ? upper : static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  } else if (std::isdigit(static_cast<unsigned char>(c))) {
    event.key = static_cast<Key>(static_cast<int>(Key::Digit0) + (c - '0'));
    event.text = name;
  } else if (std::isprint(static_cast<unsigned char>(c))) {
    event.key = Key::Other;
    event.text = name;
  } else {
    return std::nullopt;
  }
  return event;
}

ScriptRunResult runEditScript(const std::vector<ScriptStep>& steps, EditorCommands& commands,
                              ScriptAnswers& answers) {
  MapViewEngine& engine = commands.engine();
  SideBars bars(engine);
  using Kind = ScriptStep::Kind;
  for (const ScriptStep& step : steps) {
    switch (step.kind) {
      case Kind::Size: engine.resize(step.point.x, step.point.y); break;
      case Kind::Press: engine.mousePress(step.button, step.point, step.modifiers); break;
      case Kind::Move: engine.mouseMove(step.point, step.held, step.modifiers); break;
      case Kind::Release: engine.mouseRelease(step.button, step.point, step.modifiers); break;
      case Kind::Wheel: engine.wheel(step.point, step.delta, step.modifiers); break;
      case Kind::Key: commands.handleKey(step.key); break;
      case Kind::Set:
        engine.session().settings().writeText(step.section, step.name, step.value);
        if (step.section == kSettingsSection) engine.loadViewOptions();  // as after Preferences
        break;
      case Kind::Answer: answers.queueAnswer(step.answer); break;
      case Kind::Choose: answers.queueChoice(step.name); break;
      case Kind::Command: commands.run(step.command); break;
      case Kind::Layer:
        if (!commands.selectLayerNamed(step.name)) return {step.line, "no layer is named \"" + step.name + "\""};
        break;
      case Kind::Flags: runFlagsStep(step, bars); break;
      case Kind::Select:
        engine.endStroke();
        selectRegion(engine.state(), {step.point.x, step.point.y}, {step.point2.x, step.point2.y});
        break;
      case Kind::Entity:
        if (!runEntityStep(step, bars)) {
          return {step.line, "the entity list has no row " + std::to_string(step.number) + " (it has " +
                                 std::to_string(bars.entityNames().size()) + ")"};
        }
        break;
    }
    engine.takeRequests();  // no window: redraws, focus and menus have nowhere to go
  }
  return {};
}

}  // namespace qarto
