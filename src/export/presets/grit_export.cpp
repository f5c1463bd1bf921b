#include "export/presets/grit_export.h"

#include <cstdio>

#include "export/binary/array_names.h"
#include "export/export_paths.h"
#include "export/layout/array_layout.h"
#include "export/layout/screen_blocks.h"
#include "export/presets/export_preset.h"
#include "export/reduction/array_values.h"
#include "export/reduction/screen_entry_table.h"
#include "model/project/layer_kind.h"

namespace qarto {

namespace {

constexpr int kValuesPerLine = 8;

struct GritArray {
  std::string name;     // "LevelTiles"
  const char* type;     // "unsigned int" or "unsigned short"
  std::vector<std::uint32_t> values;
  int digits;           // hexadecimal digits of a value
};

std::string hexValue(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
  return text;
}

std::size_t byteLength(const GritArray& array) { return array.values.size() * static_cast<std::size_t>(array.digits / 2); }

std::string definition(const GritArray& array) {
  std::string text = "const " + std::string(array.type) + " " + array.name + "[" +
                     std::to_string(array.values.size()) + "] __attribute__((aligned(4)))=\n{\n";
  for (std::size_t i = 0; i < array.values.size(); ++i) {
    text += i % kValuesPerLine == 0 ? "\t" : ",";
    text += hexValue(array.values[i], array.digits);
    if (i + 1 < array.values.size() && i % kValuesPerLine == kValuesPerLine - 1) text += ",\n";
  }
  return text + "\n};\n\n";
}

std::string declaration(const GritArray& array) {
  return "#define " + array.name + "Len " + std::to_string(byteLength(array)) + "\nextern const " + array.type +
         " " + array.name + "[" + std::to_string(array.values.size()) + "];\n\n";
}

// Halfwords two by two into words, the first in the low half.
std::vector<std::uint32_t> words(const std::vector<std::uint16_t>& halfwords) {
  std::vector<std::uint32_t> out((halfwords.size() + 1) / 2);
  for (std::size_t i = 0; i < halfwords.size(); ++i) out[i / 2] |= static_cast<std::uint32_t>(halfwords[i]) << (i % 2 * 16);
  return out;
}

std::vector<std::uint32_t> widened(const std::vector<std::uint16_t>& halfwords) {
  return {halfwords.begin(), halfwords.end()};
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return text;
}

class GritWriter {
 public:
  GritWriter(ExportReduction& reduction, const TextExportJob& job, PlatformServices& services)
      : reduction_(reduction), job_(job), services_(services), entries_(reduction, job.bankOffset, job.tileOffset) {}

  TextExportResult run() {
    const PaletteArrayOptions palette{job_.saturation, job_.luminance, false, job_.bankOffset};
    const std::vector<std::uint16_t> colours =
        layOutArray(paletteValues(reduction_, *job_.registry, palette), job_.layout);
    for (const auto& owned : *job_.layers) {
      const MapLayer& layer = *owned;
      if (!isTileLayerKind(layer.kind)) continue;
      const std::string name = names_.take(presetLayerName(layer.nameText()));
      const auto& tiles = reduction_.tiles[static_cast<std::size_t>(tileGroupOf(layer))];
      const std::vector<GritArray> arrays = {
          {name + "Tiles", "unsigned int", words(layOutArray(tileValues(tiles), job_.layout)), 8},
          {name + "Map", "unsigned short",
           widened(layOutMapArray(mapValues(layer, entries_, reduction_, *job_.registry), layer, job_.layout)), 4},
          {name + "Pal", "unsigned short", widened(colours), 4}};
      const std::string note = screenBlockPaddingNote(layer, job_.layout);
      if (!note.empty()) notes_.push_back(note);
      const std::string block = blockComment(name, layer, tiles.size(), arrays);
      std::string source = block;
      std::string header = block + "#ifndef GRIT_" + upper(name) + "_H\n#define GRIT_" + upper(name) + "_H\n\n";
      for (const GritArray& array : arrays) {
        source += definition(array);
        header += declaration(array);
      }
      source += "//}}BLOCK(" + name + ")\n";
      header += "#endif // GRIT_" + upper(name) + "_H\n\n//}}BLOCK(" + name + ")\n";
      if (!write(name + ".c", source) || !write(name + ".h", header)) return stoppedExport(failed_, services_, result_);
    }
    return finishedInWritingOrder(reduction_.paletteErrors, reduction_.tileErrors, notes_, services_, result_);
  }

 private:
  std::string blockComment(const std::string& name, const MapLayer& layer, std::size_t tileCount,
                           const std::vector<GritArray>& arrays) const {
    const char* packing = job_.layout.lz77 ? "lz77 compressed" : "not compressed";
    const bool blocks = job_.layout.screenBlocks && spansScreenBlocks(layer.width, layer.height);
    std::string text = "//{{BLOCK(" + name + ")\n\n//" + std::string(70, '=') + "\n//\n//\t" + name + ", " +
                       std::to_string(layer.width * 8) + "x" + std::to_string(layer.height * 8) + "@4, \n";
    text += "//\t+ palette " + std::to_string(reduction_.paletteCount() * 16) + " entries, " + packing + "\n";
    text += "//\t+ " + std::to_string(tileCount) + " tiles (t|f|p reduced) " + packing + "\n";
    text += "//\t+ regular map (" + std::string(blocks ? "in SBBs" : "flat") + "), " + packing + ", " +
            std::to_string(layer.width) + "x" + std::to_string(layer.height) + " \n";
    text += "//\tTotal size: " + std::to_string(byteLength(arrays[2])) + " + " + std::to_string(byteLength(arrays[0])) +
            " + " + std::to_string(byteLength(arrays[1])) + " = " +
            std::to_string(byteLength(arrays[0]) + byteLength(arrays[1]) + byteLength(arrays[2])) + "\n//\n//" +
            std::string(70, '=') + "\n\n";
    return text;
  }

  bool write(const std::string& file, const std::string& text) {
    return writeExportFile(job_.exportDirectory + file, text.data(), text.size(), result_.written, failed_);
  }

  ExportReduction& reduction_;
  const TextExportJob& job_;
  PlatformServices& services_;
  const ScreenEntryTable entries_;
  ArrayNames names_;
  std::vector<std::string> notes_;
  std::string failed_;
  TextExportResult result_;
};

}  // namespace

TextExportResult writeGritExport(ExportReduction& reduction, const TextExportJob& job, SettingsStore&,
                                 PlatformServices& services) {
  return GritWriter(reduction, job, services).run();
}

}  // namespace qarto
