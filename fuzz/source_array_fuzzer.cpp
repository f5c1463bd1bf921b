// Random bytes as a C source file for Import Layer from .h/.c/.cpp: the
// first array is read as the import reads it, written back in the export's
// style and read again, then used as palette, tiles and map of one import
// plan. A refusal must name the file; nothing may read outside the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "edit/layers/source/source_layer_plan.h"
#include "fuzz_check.h"
#include "io/c_source/source_array_reader.h"
#include "model/tileset/tileset.h"
#include "scratch_file.h"

namespace {

constexpr std::size_t kMaxRewrittenValues = std::size_t{1} << 16;

bool sameArray(const qarto::SourceArray& a, const qarto::SourceArray& b) {
  return a.name == b.name && a.typeName == b.typeName && a.elementBytes == b.elementBytes && a.values == b.values;
}

// The array as the export writes one.
std::string written(const qarto::SourceArray& array) {
  std::string text =
      "const " + array.typeName + " " + array.name + "[" + std::to_string(array.values.size()) + "]ALIGN4 = \r\n{\r\n";
  for (std::size_t i = 0; i < array.values.size(); ++i) {
    text += (i == 0 ? "" : i % 16 == 0 ? ",\r\n" : ",") + std::to_string(array.values[i]);
  }
  return text + "\r\n};";
}

void checkPlan(const qarto::SourceArray& array, int width) {
  qarto::SourceLayerArrays arrays{array, array, array, width};
  qarto::SourceLayerPlan plan;
  std::string message;
  if (!qarto::planSourceLayer(arrays, {1, 1}, plan, message)) {
    FUZZ_CHECK(!message.empty());
    return;
  }
  FUZZ_CHECK(plan.width == width && plan.height >= 1);
  FUZZ_CHECK(plan.cells.size() == static_cast<std::size_t>(plan.width) * static_cast<std::size_t>(plan.height));
  const qarto::IndexedImage& page = plan.page;
  FUZZ_CHECK(page.imageWidth % 8 == 0 && page.imageHeight % 8 == 0 && page.imageWidth <= 256);
  FUZZ_CHECK(page.pixels.size() ==
             static_cast<std::size_t>(page.imageWidth) * static_cast<std::size_t>(page.imageHeight));
  const int pageTiles = page.imageWidth * page.imageHeight / 64;
  for (const qarto::MapCell& cell : plan.cells) {
    FUZZ_CHECK(cell.tile >= 0 && cell.tile < pageTiles && cell.palette < 16 && (cell.flags & ~3) == 0);
    // The page tile shows the cell's palette row.
    FUZZ_CHECK(page.pixels[qarto::tilePixelOffset(page, cell.tile)] >> 4 == cell.palette);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static qarto::fuzz::ScratchFile scratch("arrays.c");
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  qarto::SourceArray array;
  std::string message;
  if (!qarto::readSourceArray(text, "in.c", "", array, message)) {
    FUZZ_CHECK(message.rfind("File <in.c>", 0) == 0);
    return 0;
  }
  FUZZ_CHECK(!array.name.empty() && text.find(array.name) != std::string_view::npos);
  FUZZ_CHECK(array.elementBytes == 1 || array.elementBytes == 2 || array.elementBytes == 4);
  FUZZ_CHECK(array.values.size() <= qarto::kMaxSourceArrayValues);
  for (std::uint32_t value : array.values) {
    FUZZ_CHECK(array.elementBytes == 4 || value < (1u << (8 * array.elementBytes)));
  }
  FUZZ_CHECK(array.bytes().size() == array.values.size() * static_cast<std::size_t>(array.elementBytes));

  // Asked for by its name, the same array; read from a file, the same array.
  qarto::SourceArray again;
  FUZZ_CHECK(qarto::readSourceArray(text, "in.c", array.name, again, message) && sameArray(again, array));
  const std::string& path = scratch.write(data, size);
  FUZZ_CHECK(qarto::readSourceArrayFile(path, "", again, message) && sameArray(again, array));
  // A short text can declare millions of zeros; writing those out again
  // would measure the sanitizers, not the reader.
  if (array.values.size() > kMaxRewrittenValues) return 0;
  // Written back as the export writes arrays, it reads as it was.
  FUZZ_CHECK(qarto::readSourceArray(written(array), "out.c", array.name, again, message) && sameArray(again, array));

  checkPlan(array, size > 0 ? 1 + data[0] % 64 : 1);
  return 0;
}
