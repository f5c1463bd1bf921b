#pragma once

#include <cstdint>
#include <string>

namespace qarto {

// The input vocabulary of the map view, independent of any window system.
// The editor window translates its events into these; scripts and tests
// build them directly.

enum class MouseButton : std::uint8_t { Left = 1, Middle = 2, Right = 4 };

// The buttons held during a mouse move.
struct ButtonSet {
  bool left = false;
  bool middle = false;
  bool right = false;

  bool has(MouseButton button) const {
    switch (button) {
      case MouseButton::Left: return left;
      case MouseButton::Middle: return middle;
      case MouseButton::Right: return right;
    }
    return false;
  }
};

struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;

  friend bool operator==(const Modifiers&, const Modifiers&) = default;
};

// A point in client pixels (device pixels on high-DPI screens).
struct ViewPoint {
  int x = 0;
  int y = 0;

  friend bool operator==(const ViewPoint&, const ViewPoint&) = default;
};

// Keys the view and the accelerator table tell apart. Letters and main-row
// digits are virtual keys; the keypad digits are distinct keys.
enum class Key : std::uint8_t {
  None,
  F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
  Space, Tab, Escape, Insert, Delete, Home, End, PageUp, PageDown,
  Left, Right, Up, Down,
  Keypad0, Keypad1, Keypad2, Keypad3, Keypad4, Keypad5, Keypad6, Keypad7, Keypad8, Keypad9,
  A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
  Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
  Shift, Control, Alt, Menu,  // Menu: the context-menu key
  Other,                      // a key known only by the text it types
};

// One key press or release: the key, the text it types ("+" for Shift+=,
// "" for keys that type nothing) and the modifiers held with it.
struct KeyEvent {
  Key key = Key::None;
  std::string text;
  Modifiers modifiers;
};

inline bool isKeypadDigit(Key key) { return key >= Key::Keypad0 && key <= Key::Keypad9; }
inline int keypadDigit(Key key) { return static_cast<int>(key) - static_cast<int>(Key::Keypad0); }

// The mouse pointers the view asks for.
enum class CursorKind : std::uint8_t {
  Default,    // the window system's own
  Arrow,
  Pattern,    // pattern mode
  DetailPaint,
  Stamp,
  Selection,  // rubber-stamp or flag selection being made
  Fill,
  Flag,
  Entity,
  Hand,       // middle-button scrolling
};

}  // namespace qarto
