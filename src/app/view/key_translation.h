#pragma once

#include "edit/view/input_event.h"

class QKeyEvent;

namespace qarto {

// A Qt key event in the engine's words. Letters and main-row digits become
// virtual keys; the keypad digits (Qt::KeypadModifier) are keys of their
// own; every other key is known by the text it types ("+", "[").
KeyEvent translateKey(const QKeyEvent& event);

}  // namespace qarto
