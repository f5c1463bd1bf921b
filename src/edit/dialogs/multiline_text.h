#pragma once

#include <string>

namespace qarto {

// Multi-line texts are kept with CR LF between lines, as the edit controls
// of the export dialogs always gave them; the editor's text boxes use plain
// line breaks.

// CR LF (and a lone CR) become line breaks.
std::string textForEditor(const std::string& stored);
// Every line break becomes CR LF.
std::string textFromEditor(const std::string& edited);

}  // namespace qarto
