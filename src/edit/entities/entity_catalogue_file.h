#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/entities/entity_catalogue.h"
#include "model/tileset/indexed_image.h"

namespace qarto {

// A catalogue file lists a game's entity types, INI style:
//
//   ; comments start with ";" or "#"
//   [12]                          the type number the records store, 0 to 65535
//   Name = Goblin                 required, at most 63 characters
//   Description = Walks about.    optional; repeated lines add lines, "\n" breaks one
//   Sprite = sprites/goblin.bmp   optional 32 x 32 BMP, beside the catalogue when relative
//
// Keys are matched in any case; blanks around keys and values are dropped.

inline constexpr int kMaxCatalogueRows = 1024;
inline constexpr std::size_t kMaxCatalogueFileBytes = std::size_t{1} << 20;
inline constexpr int kMaxEntityNameLength = 63;

// Reads a sprite image by path; false with the reader's message.
using SpriteReader = std::function<bool(const std::string& path, IndexedImage& image, std::string& message)>;

struct CatalogueReadResult {
  bool ok = false;
  std::vector<EntityType> rows;  // in file order
  std::string message;           // on failure: what is wrong, naming the file and the line
};

// Parses the text of catalogue `path` (which only names it in messages and
// anchors relative sprite paths). The first fault stops the reading.
CatalogueReadResult parseEntityCatalogue(std::string_view text, const std::string& path,
                                         const SpriteReader& readSprite);

// Reads the file and its sprites from disk.
CatalogueReadResult readEntityCatalogueFile(const std::string& path);

}  // namespace qarto
