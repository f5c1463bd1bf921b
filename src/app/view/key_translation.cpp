#include "app/view/key_translation.h"

#include <QKeyEvent>

namespace qarto {

namespace {

Key keypadKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
    return static_cast<Key>(static_cast<int>(Key::Keypad0) + (qtKey - Qt::Key_0));
  }
  return Key::None;
}

Key namedKey(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<Key>(static_cast<int>(Key::A) + (qtKey - Qt::Key_A));
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
    return static_cast<Key>(static_cast<int>(Key::Digit0) + (qtKey - Qt::Key_0));
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return static_cast<Key>(static_cast<int>(Key::F1) + (qtKey - Qt::Key_F1));
  switch (qtKey) {
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Key::Tab;
    case Qt::Key_Escape: return Key::Escape;
    case Qt::Key_Insert: return Key::Insert;
    case Qt::Key_Delete: return Key::Delete;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Shift: return Key::Shift;
    case Qt::Key_Control: return Key::Control;
    case Qt::Key_Alt: return Key::Alt;
    case Qt::Key_Menu: return Key::Menu;
    default: return Key::Other;
  }
}

}  // namespace

KeyEvent translateKey(const QKeyEvent& event) {
  KeyEvent key;
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  key.modifiers.shift = modifiers.testFlag(Qt::ShiftModifier);
  key.modifiers.ctrl = modifiers.testFlag(Qt::ControlModifier);
  key.modifiers.alt = modifiers.testFlag(Qt::AltModifier);
  key.key = modifiers.testFlag(Qt::KeypadModifier) ? keypadKey(event.key()) : Key::None;
  if (key.key == Key::None) key.key = namedKey(event.key());
  // With Ctrl the text is a control character; typed bindings ignore it.
  const QString text = event.text();
  if (!text.isEmpty() && text.front().isPrint()) key.text = text.toStdString();
  return key;
}

}  // namespace qarto
