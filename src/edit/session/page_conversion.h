#pragma once

#include <string>

namespace qarto {

class EditorSession;
struct Tileset;

inline constexpr const char* kConvertPageCaptionSuffix = " - Convert Tile Page";

// The offer every loader of tile pages makes (Open Tilesets, dropped files,
// Import .BMP as Layer, the wizard's page): a picture that is not a page of
// 16-colour rows (truecolour, greyscale, 1-bit) or an indexed page whose
// tiles mix rows is converted on Yes: its colours packed into banks as
// pictures are, every tile kept in its place and order, the page saved
// beside it (NAME.bmp or the next free NAME_2.bmp ...) and registered.
// `readFailure` is the reader's message when it could not read the file as
// a page, empty when it could (then only mixing tiles are offered).
// Returns the registered page, or nullptr when nothing was offered, the
// user declined or the conversion failed (a failure has been shown).
struct PageConversion {
  bool offered = false;
  Tileset* page = nullptr;
};
PageConversion offerPageConversion(EditorSession& session, const std::string& path, const std::string& readFailure,
                                   Tileset* readPage);

}  // namespace qarto
