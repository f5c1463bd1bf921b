#pragma once

#include <string>

#include "model/tileset/indexed_image.h"

namespace qarto {

class EditorSession;
struct Tileset;

struct PageFile {
  Tileset* page = nullptr;  // nullptr when refused or failed; the user has been told why
  std::string path;
  bool reused = false;  // a registered page already held these pixels and this palette
};

// Registers a page the program made. A registered page with the same pixels
// and palette is used again; otherwise the page is written as an 8-bit BMP
// into `folder` as NAME.bmp, or NAME_2.bmp, NAME_3.bmp ... when another
// picture has the name (a file that holds exactly this picture is loaded as
// it is; no file is ever overwritten), and loaded as Open Tilesets loads a
// page. Refusals (un-optimized mode with a page loaded, tileset ids used up,
// every name taken, a failed write) are shown captioned with `captionSuffix`.
PageFile registerMadePage(EditorSession& session, const IndexedImage& page, const std::string& folder,
                          const std::string& name, const char* captionSuffix);

}  // namespace qarto
