#pragma once

#include <string>

namespace qarto {

class SettingsStore;

// The choosers of tile pages share a filter and their folder preferences.
inline constexpr const char* kTilesetFilter =
    "All Supported Tileset Formats|*.bmp;*.pcx|Bitmaps (*.bmp)|*.bmp|ZSoft PCX (*.pcx)|*.pcx||";
inline constexpr const char* kImageFilesFilter = "Image Files (*.bmp)|*.bmp||";
inline constexpr const char* kBmpExtension = ".bmp";

inline constexpr const char* kUseDefTilesetPathKey = "UseDefTilesetPath";
inline constexpr const char* kDefTilesetPathKey = "DefTilesetPath";
inline constexpr const char* kLastTilesetPathKey = "LastTilesetPath";

// Where tile page choosers start: "DefTilesetPath" when "UseDefTilesetPath"
// is set, else "LastTilesetPath".
std::string tilesetDialogFolder(SettingsStore& settings);

// Stores the folder of a chosen file as "LastTilesetPath".
void rememberTilesetFolder(SettingsStore& settings, const std::string& chosenPath);

}  // namespace qarto
