// Decodes arbitrary bytes as a picture (PNG of any colour type, BMP of any
// depth, PCX), once as given and once with PNG checksums made right. What
// decodes must be whole RGBA rows; small pictures then go through the
// reduction, whose page must show every cell's pixels at 15 bits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "export/picture/picture_page.h"
#include "fuzz_check.h"
#include "io/picture/picture_reader.h"
#include "model/project/map_cell.h"
#include "png_checksums.h"

namespace {

void reduce(const qarto::DisplayImage& picture) {
  qarto::PictureOptions options;
  options.limits.moves = 20000;
  qarto::PicturePage result;
  std::string message;
  if (!qarto::reducePicture(picture, options, result, message)) {
    FUZZ_CHECK(!message.empty());
    return;
  }
  const qarto::ColourPicture rounded = qarto::roundPicture(picture, std::nullopt);
  const int perRow = result.page.imageWidth / 8;
  for (int i = 0; i < picture.width * picture.height; ++i) {
    const int x = i % picture.width, y = i / picture.width;
    const qarto::PictureCell& cell = result.cells[std::size_t(y / 8 * result.cellsWide + x / 8)];
    FUZZ_CHECK(cell.tile < result.tiles && cell.palette < result.banks);
    const int tx = (cell.flags & qarto::kCellHFlip) ? 7 - x % 8 : x % 8;
    const int ty = (cell.flags & qarto::kCellVFlip) ? 7 - y % 8 : y % 8;
    const int index =
        result.page
            .pixels[std::size_t((cell.tile / perRow * 8 + ty) * result.page.imageWidth + cell.tile % perRow * 8 + tx)];
    FUZZ_CHECK(index / 16 == cell.palette);
    const std::uint8_t* rgb = &result.page.palette[std::size_t(index) * 3];
    const unsigned shown =
        index % 16 == 0 ? qarto::kClearColour : (rgb[2] >> 3) << 10 | (rgb[1] >> 3) << 5 | rgb[0] >> 3;
    FUZZ_CHECK(shown == rounded.pixels[std::size_t(i)]);
  }
}

void decode(const std::uint8_t* data, std::size_t size) {
  qarto::DisplayImage picture;
  std::string message;
  if (!qarto::decodePicture(data, size, "fuzz", picture, message)) {
    FUZZ_CHECK(!message.empty() && picture.rgba.empty());
    return;
  }
  FUZZ_CHECK(picture.width > 0 && picture.height > 0);
  FUZZ_CHECK(picture.rgba.size() == std::size_t(picture.width) * std::size_t(picture.height) * 4);
  if (picture.width * std::size_t(picture.height) <= 64 * 64) reduce(picture);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  decode(data, size);
  const std::vector<std::uint8_t> mended = withRightChecksums(data, size);
  decode(mended.data(), mended.size());
  return 0;
}
