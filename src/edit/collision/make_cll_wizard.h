#pragma once

#include <optional>
#include <string>

namespace qarto {

class EditorSession;
struct MapFileHooks;

inline constexpr const char* kMakeCllCaptionSuffix = " - Make .CLL Wizard";

// What the Make .CLL Wizard's OK hands over.
struct MakeCllRequest {
  std::string pagePath;       // "BG Tileset"
  bool loadExisting = true;   // "Load existing .CLL if there is one"
  bool autoGenerate = true;   // "Auto-generate ideal collision set when no .CLL data exists"
  bool minimumMatch = false;  // "Enable minimum match filtering (90%)", only with auto-generate
};

// The "..." button: a page chosen with the "Load Tileset" chooser.
std::optional<std::string> chooseMakeCllPage(EditorSession& session);

// OK: the project is cleared, the page loaded, and a primary layer
// "BMP_tilepage" reproducing the page and a collision layer "CLL_Layer"
// are made, the latter from the page's .cll or generated. The project is
// then in collision-set mode, modified, with nothing to undo, and the
// window title reads "<title> - New .CLL". False when the page could not
// be loaded (its message was shown; the project is left empty).
bool runMakeCllWizard(EditorSession& session, const MakeCllRequest& request, const MapFileHooks& hooks);

}  // namespace qarto
