#pragma once

#include <array>
#include <string>

namespace qarto {

class EditorSession;
class PlatformServices;
class SettingsStore;
struct MapFileHooks;

inline constexpr const char* kNewMapWizardCaptionSuffix = " - Create New Map Wizard";
// The primary layer's units are the secondary ones without "Parallax".
inline constexpr std::array<const char*, 3> kPrimaryUnitNames = {"Tiles", "Screens", "Pixels"};
inline constexpr std::array<const char*, 4> kSecondaryUnitNames = {"Parallax", "Tiles", "Screens", "Pixels"};
inline constexpr const char* kUnoptimizedModeHelp =
    "Un-optimized mode will allow you to only load a single tileset.\nAt export time, this tileset will be dumped "
    "with no attempt to remove any redundant or unused tiles or palettes.\n\nAll other Qarto features will remain "
    "intact.";

// One of the two optional parallax layers, as typed.
struct SecondaryLayerEntry {
  bool enabled = false;
  std::string name;
  std::string amountX;  // decimal amounts
  std::string amountY;
  int unitX = 0;  // index into kSecondaryUnitNames
  int unitY = 0;
};

// Everything the Create New Map Wizard shows, as typed.
struct NewMapWizardForm {
  std::string primaryName;
  std::string widthText;  // decimal amounts in their units
  std::string heightText;
  int widthUnit = 0;  // index into kPrimaryUnitNames
  int heightUnit = 0;
  bool hasCollision = true;
  bool hasEntity = false;  // no check box shows it; the stored choice is kept
  std::array<SecondaryLayerEntry, 2> secondary;  // layers 2 and 3
  bool unoptimizedMode = false;
  std::string tilePagePath;  // optional: the map starts with this page's tiles

  SecondaryLayerEntry& layer2() { return secondary[0]; }
  SecondaryLayerEntry& layer3() { return secondary[1]; }
  const SecondaryLayerEntry& layer2() const { return secondary[0]; }
  const SecondaryLayerEntry& layer3() const { return secondary[1]; }

  // Layer 3 can be enabled only while layer 2 is; switching layer 2 off
  // switches layer 3 off too.
  void setLayer2Enabled(bool enabled);
};

// Opening: the entries of last time from section "Settings", or the first-use
// defaults (BG_Layer0 of 128 x 64 tiles with a collision layer; layers 2 and
// 3 off, BG_Layer1 at 0.5 and BG_Layer2 at 0.25 parallax). Un-optimized mode
// starts off.
NewMapWizardForm loadNewMapWizard(SettingsStore& settings);

// "?" beside "Use un-optimized mode".
void showUnoptimizedModeHelp(PlatformServices& services);

enum class NewMapOutcome {
  StayOpen,   // refused with a message; the entries stay as typed
  Cancelled,  // the unsaved-changes question was cancelled: nothing changed
  Created,    // the new map replaced the old one
};

// OK: checks the entries (names, units, sizes, parallax), asks about unsaved
// changes, remembers the entries, then replaces the project by the new map:
// bottom to top layer 3, layer 2, primary (the active layer), collision,
// entities. The journal is left empty, and the window title reads
// "<title> - New Map" (with "  (Un-opt. mode)" in un-optimized mode).
NewMapOutcome acceptNewMapWizard(EditorSession& session, const NewMapWizardForm& form, const MapFileHooks& hooks,
                                 bool viewAvailable = true);

}  // namespace qarto
