#pragma once

#include <functional>
#include <optional>
#include <string>

#include "export/picture/picture_page.h"

namespace qarto {

class EditorSession;
struct MapFileHooks;
struct MapLayer;
struct Tileset;

inline constexpr const char* kPictureCaptionSuffix = " - Import Picture";
inline constexpr const char* kPictureFilter =
    "Pictures (*.png;*.bmp;*.pcx)|*.png;*.bmp;*.pcx|PNG (*.png)|*.png|Bitmaps (*.bmp)|*.bmp|ZSoft PCX (*.pcx)|*.pcx||";

struct PictureRequest {
  std::string path;
  std::string layerName;  // empty: the picture's file title, made a C name
  // Where the page goes; empty: beside the map, or beside the picture while
  // the map has no file.
  std::string pageFolder;
  std::optional<PictureColour> backdrop;
  bool reduceColours = false;
  // When the picture does not fit, ask whether to reduce its colours
  // (instead of only refusing).
  bool offerReduce = false;
};

struct PictureImport {
  MapLayer* layer = nullptr;  // nullptr when refused, cancelled or failed; the user has been told why
  const Tileset* page = nullptr;
  std::string pagePath;
  PicturePage reduction;  // its counts: tiles, banks, colours merged
};

// Import Picture as Layer: reduces the picture to a page and cells, writes
// the page beside the map (beside the picture while the map has no file;
// never over another file) and loads it as Open Tilesets does, then adds a
// secondary layer of the picture's size, parallax 1.0, whose cells show the
// picture. The add-layer core records the one undo entry (undo removes the
// layer; the page stays loaded). Refusals change nothing.
PictureImport importPictureLayer(EditorSession& session, const PictureRequest& request);

// New Map from Picture: the same reduction, then (after the unsaved-changes
// question) a new map whose primary layer shows the picture at its top-left
// and is at least a screen in size; cells beyond the picture are blank.
PictureImport newMapFromPicture(EditorSession& session, const PictureRequest& request, const MapFileHooks& hooks);

// The menu commands: the picture chooser, then `askOptions` (the options
// dialog; false cancels), then the import; offers "Reduce colours" when the
// picture does not fit.
void runPictureImport(EditorSession& session, bool newMap, const std::function<bool(PictureRequest&)>& askOptions,
                      const MapFileHooks& hooks);

// "RRGGBB" as a 15-bit colour (the export's rounding); nullopt when not six
// hexadecimal digits.
std::optional<PictureColour> parseBackdrop(const std::string& text);

}  // namespace qarto
