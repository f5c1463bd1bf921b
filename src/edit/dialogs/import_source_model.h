#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/platform_services.h"

namespace qarto {

inline constexpr const char* kImportSourceCaptionSuffix = " - Import Layer from .h/.c/.cpp";
inline constexpr const char* kImportSourceNote = "Note: this tool is not quite ready yet";
inline constexpr const char* kSourceFileFilter = "Source Files (.h,.c,.cpp)|*.h;*.cpp;*.c||";

// The three groups of the dialog, each a file and an array in it.
enum class SourceGroup { Palette = 0, TileData = 1, MapData = 2 };
inline constexpr const char* kSourceGroupTitles[] = {"Palette File:", "Tile Data File:", "Map Data File:"};

// "...": the "Load Header" chooser for a source file.
FileChooserRequest sourceFileChooser();
std::optional<std::string> chooseSourceFile(PlatformServices& services);

// "<": the array names of the file named in the group's edit, in the order
// found. Without a name, with a file that cannot be read or an empty file,
// the user is told why and nothing is returned (the list keeps its entries).
std::optional<std::vector<std::string>> scanSourceArrays(PlatformServices& services, const std::string& path);

}  // namespace qarto
