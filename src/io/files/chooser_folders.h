#pragma once

#include <string>

namespace qarto {

class SettingsStore;

// The choosers of tile pages share a filter and their folder preferences.
inline constexpr const char* kTilesetFilter =
    "All Supported Tileset Formats|*.bmp;*.pcx;*.png|Bitmaps (*.bmp)|*.bmp|ZSoft PCX (*.pcx)|*.pcx|"
    "Indexed PNG (*.png)|*.png||";
inline constexpr const char* kImageFilesFilter = "Image Files (*.bmp)|*.bmp||";
inline constexpr const char* kBmpExtension = ".bmp";

// The three "Settings" keys behind a kind of file chooser: the default
// folder, whether to use it, and the folder last chosen.
struct ChooserFolderKeys {
  const char* useDefault;
  const char* defaultFolder;
  const char* lastFolder;
  // What a store without the useDefault key means.
  int useDefaultWhenMissing;
};

// Map choosers: a missing "UseDefMapPath" reads as 0.
extern const ChooserFolderKeys kMapFolderKeys;
// Tile page choosers: start-up writes 0 for a missing "UseDefTilesetPath";
// a store that still lacks it never had the preference set up, and the
// default folder wins then.
extern const ChooserFolderKeys kTilesetFolderKeys;

// Where a chooser starts: the default folder when its use is set, else the
// folder last chosen.
std::string chooserFolder(SettingsStore& settings, const ChooserFolderKeys& keys);
// Stores the folder of a chosen file as the folder last chosen.
void rememberChooserFolder(SettingsStore& settings, const ChooserFolderKeys& keys, const std::string& chosenPath);

// The tile page choosers' folders.
inline std::string tilesetDialogFolder(SettingsStore& settings) { return chooserFolder(settings, kTilesetFolderKeys); }
inline void rememberTilesetFolder(SettingsStore& settings, const std::string& chosenPath) {
  rememberChooserFolder(settings, kTilesetFolderKeys, chosenPath);
}

}  // namespace qarto
