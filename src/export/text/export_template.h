#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace qarto {

// The values the %placeholders% of the export templates stand for. The
// writer changes them as it moves from array to array.
struct PlaceholderValues {
  std::string time;      // "%H:%M" at the start of the export
  std::string date;      // "%b %d, %Y"
  std::string fileName;  // the map's path as stored
  std::string mapName;   // its file name up to the first "."
  int numAutoGen = 0;
  int paletteCount = 0;
  // Unset until the tile arrays are reached; an unset placeholder stays as written.
  std::optional<int> tileCount;
  std::optional<int> tileGroup;
  int arraySize = 0;
  // Empty for the first array of its kind (map, collision, tile), then "2",
  // "3", ... in export order, so that the default names stay apart.
  std::string arrayNumber;
  int paletteOffset = 0;
  int tileOffset = 0;
  // Layer placeholders: map and collision arrays only.
  std::string layerName;
  int width = 0;
  int height = 0;
  float parallax = 0.0f;
};

// Fills "%time%" and "%date%" from a moment in local time.
void setStartTime(PlaceholderValues& values, std::time_t moment);
// "%mapName%": the file name part of `filePath`, cut before its first ".".
std::string mapNameOf(const std::string& filePath);

// Replaces every placeholder of an array or extern template (the four layer
// placeholders only when withLayer), then turns CR LF into "\n". Each
// placeholder is matched in the template only, never inside an inserted
// value. "%data%" always stays.
std::string ExpandTemplate(const std::string& text, const PlaceholderValues& values, bool withLayer);
// Includes text under a file header: only "%time%", "%date%", "%fileName%"
// and "%mapName%", then CR LF into "\n".
std::string ExpandIncludes(const std::string& text, const PlaceholderValues& values);
// directory (ending in "/") + fileName, with "%mapName%" and "%numAutoGen%"
// replaced in the whole path.
std::string ExpandFileName(const std::string& directory, const std::string& fileName,
                           const PlaceholderValues& values);

// Every CR LF pair becomes "\n".
std::string convertLineBreaks(const std::string& text);

}  // namespace qarto
