#include "export/text/export_placeholders.h"

#include "export/text/text_export_writer.h"

namespace qarto {

namespace {

constexpr int kTileValues = 16;  // u16 values per 8x8 tile at 4 bits per pixel
constexpr int kPaddedPaletteValues = 256;

}  // namespace

PlaceholderValues startingPlaceholders(const ExportReduction& reduction, const TextExportJob& job, int numAutoGen) {
  PlaceholderValues values;
  values.numAutoGen = numAutoGen;
  values.paletteCount = reduction.paletteCount();
  values.paletteOffset = job.bankOffset;
  values.tileOffset = job.tileOffset;
  setStartTime(values, job.startTime);
  values.fileName = job.mapFilePath;
  values.mapName = mapNameOf(job.mapFilePath);
  return values;
}

int paletteArraySize(const ExportReduction& reduction, bool autoPad) {
  return autoPad ? kPaddedPaletteValues : reduction.paletteCount() * 16;
}

std::string arrayNumberAfter(int written) { return written == 0 ? std::string() : std::to_string(written + 1); }

void setTilePlaceholders(PlaceholderValues& values, const ExportReduction& reduction, int group) {
  values.tileGroup = group + 1;
  values.arrayNumber = arrayNumberAfter(group);
  values.tileCount = reduction.tileCount(group);
  values.arraySize = reduction.tileCount(group) * kTileValues;
}

void setLayerPlaceholders(PlaceholderValues& values, const MapLayer& layer) {
  values.layerName = layer.nameText();
  values.width = layer.width;
  values.height = layer.height;
  values.parallax = layer.parallaxX;
  values.arraySize = layer.width * layer.height;
}

}  // namespace qarto
