#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace qarto {

class MapProject;
class PlatformServices;
struct FileChooserRequest;
class SettingsStore;

inline constexpr const char* kPreferencesCaptionSuffix = " - Preferences";
// In the order the tabs are added; the first is shown.
inline constexpr std::array<const char*, 4> kPreferencesTabLabels = {" Undo Levels ", " Default Paths ",
                                                                     " Screen Size ", " Colors "};
inline constexpr const char* kUnlimitedUndoQuestion =
    "Selecting this option gives Qarto the freedom to potentially consume large amounts of memory.  If your system "
    "becomes low on memory, applications may begin to behave erratically or exhibit poor performance.  Are you sure "
    "you'd like to use this feature?";
inline constexpr const char* kDefaultMapPathTitle = "Default Map Path";
inline constexpr const char* kDefaultTilesetPathTitle = "Default Tileset Path";
inline constexpr const char* kEntityCatalogueTitle = "Entity Catalogue";
inline constexpr const char* kEntityCatalogueFilter =
    "Entity Catalogues (*.ini;*.txt)|*.ini;*.txt|All Files (*.*)|*.*||";

// Undo Levels page: slider positions 0 to 8 stand for 1, 5, 10, ... 40 levels.
inline constexpr int kMaxUndoPosition = 8;
int undoLevelsForPosition(int position);
// Stored levels to a slider position: levels div 5 (1 gives 0), held to 0..8.
int undoPositionForLevels(int levels);
// The label beside the slider: "%i" of the levels.
std::string undoLevelsLabel(int position);

// A colour button of the Colors page.
enum class ColourGroup { MapView, TileView };
struct ColourPreference {
  const char* label;
  const char* key;
  ColourGroup group;
};
inline constexpr std::array<ColourPreference, 11> kColourPreferences = {{
    {"Collision Tiles", "CollisionTileColor", ColourGroup::MapView},
    {"Brush Warning", "BrushWarningColor", ColourGroup::MapView},
    {"Grid", "MapGridColor", ColourGroup::MapView},
    {"Draw Selection", "MapDrawSelectionColor", ColourGroup::MapView},
    {"Selection", "MapSelectionColor", ColourGroup::MapView},
    {"Grid", "TileGridColor", ColourGroup::TileView},
    {"Draw Selection", "TileDrawSelectionColor", ColourGroup::TileView},
    {"Selection", "TileSelectionColor", ColourGroup::TileView},
    {"Focus", "TilesetFocusColor", ColourGroup::TileView},
    {"Active", "TilesetActiveColor", ColourGroup::TileView},
    {"Inactive", "TilesetInactiveColor", ColourGroup::TileView},
}};
// The three opacity sliders of the Map View group, 0 (transparent) to 15.
struct AlphaPreference {
  const char* label;
  const char* key;
};
inline constexpr std::array<AlphaPreference, 3> kAlphaPreferences = {{
    {"Brush Alpha", "BrushAlphaValue"},
    {"Collision Alpha", "CollisionLayerAlphaValue"},
    {"Map Alpha", "LayerAlphaValue"},
}};

// Everything the four pages show.
struct PreferencesValues {
  bool unlimitedUndo = false;
  int undoPosition = 2;
  std::string mapPath;
  bool useDefMapPath = false;  // "Always use default path"
  std::string tilesetPath;
  bool useDefTilesetPath = false;
  std::string emulatorCommand;  // Run Map in this emulator; empty: the built-in player
  std::string screenWidthText;  // whole numbers of pixels
  std::string screenHeightText;
  std::array<std::uint32_t, kColourPreferences.size()> colours{};  // 0x00BBGGRR
  std::array<int, kAlphaPreferences.size()> alphaLevels{};
  std::string entityCataloguePath;  // "" for the built-in entities only
  bool classicKeys = false;
};

inline constexpr const char* kClassicKeysLabel = "Classic keys";
inline constexpr const char* kClassicKeysTip =
    "Ctrl+V shows or hides the active layer, Ctrl+A makes it translucent and Delete zooms out, as in the first "
    "versions. Paste is then Shift+Insert; Delete and Select All are on the Edit menu only.";

// Opening: every page from section "Settings". No stored undo levels shows
// 10; a stored screen size outside 8..8192 shows 240 x 160.
PreferencesValues loadPreferences(SettingsStore& settings);

// The file chooser of the entity catalogue's "..." button, opening beside
// the catalogue named now.
FileChooserRequest entityCatalogueChooser(const std::string& current);

// Ticking "Unlimited" asks first; true when the user answered Yes.
bool confirmUnlimitedUndo(PlatformServices& services);

enum class PreferencesOutcome { Accepted, StayOpen };

// OK: a screen size that is no whole number or lies outside 8..8192 pixels
// is refused with a warning (the dialog stays open and nothing is stored). Otherwise every page goes to
// "Settings", and the undo levels and the screen size take effect in the
// project at once.
PreferencesOutcome acceptPreferences(PlatformServices& services, SettingsStore& settings, MapProject& project,
                                     const PreferencesValues& values);

}  // namespace qarto
