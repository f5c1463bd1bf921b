#include "edit/dialogs/multiline_text.h"

namespace qarto {

std::string textForEditor(const std::string& stored) {
  std::string text;
  text.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '\r') {
      text += '\n';
      if (i + 1 < stored.size() && stored[i + 1] == '\n') ++i;
    } else {
      text += stored[i];
    }
  }
  return text;
}

std::string textFromEditor(const std::string& edited) {
  const std::string plain = textForEditor(edited);
  std::string text;
  text.reserve(plain.size() + plain.size() / 16);
  for (char c : plain) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

}  // namespace qarto
