#include "io/images/tile_page_reader.h"

#include "io/collision_set_file.h"
#include "io/files/path_utils.h"
#include "io/images/bmp_codec.h"
#include "io/images/display_image.h"
#include "io/images/image_messages.h"
#include "io/images/pcx_reader.h"
#include "io/images/png_reader.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

// The collision set beside the page, when its tile counts match the page.
// Export .CLL writes the page's name in lower case, so on a case-sensitive
// file system "Level1.bmp" finds its set as "level1.cll" too.
bool readMatchingCollisionSet(const std::string& imagePath, const IndexedImage& image, CollisionSetFile& set) {
  if (!readCollisionSet(replaceExtension(imagePath, "cll"), set) &&
      !readCollisionSet(collisionSetPathFor(imagePath), set)) {
    return false;
  }
  return set.width == static_cast<std::uint32_t>(image.imageWidth / kTileSide) &&
         set.height == static_cast<std::uint32_t>(image.imageHeight / kTileSide);
}

}  // namespace

bool readTilePage(Tileset& tileset, DisplayImage& display, std::string& message) {
  const std::string path = tileset.sourcePath;
  const std::optional<std::string> extension = fileExtension(path);
  if (!extension) {
    message = "I'd like a file extension, please.";
    return false;
  }

  // Read into a scratch page so that a failure leaves the tileset as it was.
  Tileset page;
  IndexedImage& image = page;
  if (*extension == "pcx") {
    if (!readPcx(path, image, message)) return false;
  } else if (*extension == "bmp") {
    if (!readBmp(path, image, message)) return false;
  } else if (*extension == "png") {
    if (!readPng(path, image, message)) return false;
  } else {
    message = "Unknown file type.";
    return false;
  }
  if (!computeTilesetGeometry(page)) {
    message = notValidBitmapMessage(path);
    return false;
  }

  DisplayImage built = makeDisplayImage(page);
  if (built.rgba.empty()) {
    message = displayImageFailedMessage(path);
    return false;
  }

  CollisionSetFile set;
  const bool attach = readMatchingCollisionSet(path, page, set);

  static_cast<IndexedImage&>(tileset) = std::move(image);
  tileset.tileCount = page.tileCount;
  tileset.texStepS = page.texStepS;
  tileset.texStepT = page.texStepT;
  tileset.tilesPerRow = page.tilesPerRow;
  tileset.tilesPerColumn = page.tilesPerColumn;
  // A table from an earlier image never outlives it.
  tileset.hasCollisionSet = attach;
  tileset.collisionSet = attach ? std::move(set.tiles) : std::vector<std::uint8_t>{};

  display = std::move(built);
  message = kNoErrors;
  return true;
}

}  // namespace qarto
