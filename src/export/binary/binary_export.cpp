#include "export/binary/binary_export.h"

#include <cstdint>

#include "export/binary/array_names.h"
#include "export/definition/export_definition.h"
#include "export/export_paths.h"
#include "export/layout/array_layout.h"
#include "export/reduction/array_values.h"
#include "export/reduction/screen_entry_table.h"
#include "export/budget/cells_at_fault.h"
#include "export/text/export_placeholders.h"
#include "export/text/export_summary.h"
#include "model/app_title.h"
#include "model/byte_order.h"
#include "model/platform_services.h"
#include "model/project/layer_kind.h"

namespace qarto {

namespace {

std::vector<std::uint8_t> littleEndian(const std::vector<std::uint16_t>& values) {
  std::vector<std::uint8_t> bytes(values.size() * 2);
  for (std::size_t i = 0; i < values.size(); ++i) storeU16(bytes.data() + 2 * i, values[i]);
  return bytes;
}

// Four signed 32-bit values per entity: type, facing, x << 16, y << 16, as
// the exported list's initialiser gives them.
std::vector<std::uint8_t> littleEndian(const std::vector<EntityValues>& entities) {
  std::vector<std::uint8_t> bytes(entities.size() * 16);
  std::uint8_t* at = bytes.data();
  for (const EntityValues& entity : entities) {
    storeI32(at, entity.type);
    storeI32(at + 4, entity.facing);
    storeU32(at + 8, static_cast<std::uint32_t>(entity.x) << 16);
    storeU32(at + 12, static_cast<std::uint32_t>(entity.y) << 16);
    at += 16;
  }
  return bytes;
}

class BinaryExportWriter {
 public:
  BinaryExportWriter(ExportReduction& reduction, const TextExportJob& job, SettingsStore& settings,
                     PlatformServices& services)
      : reduction_(reduction),
        job_(job),
        services_(services),
        definition_(LoadExportDefinition(settings)),
        values_(startingPlaceholders(reduction, job, definition_.numAutoGen)),
        entries_(reduction, job.bankOffset, job.tileOffset) {}

  TextExportResult run();

 private:
  // The array's name from the template of `which`.
  std::string nameFor(ExportFile which, bool withLayer, const char* fallback) {
    return names_.take(arrayNameOf(definition_.file(which).format, values_, withLayer, fallback));
  }
  bool write(const std::string& name, const std::vector<std::uint8_t>& bytes);
  bool writeLayer(const MapLayer& layer);
  TextExportResult stop(const std::string& path);
  TextExportResult finish();

  ExportReduction& reduction_;
  const TextExportJob& job_;
  PlatformServices& services_;
  const ExportDefinition definition_;
  PlaceholderValues values_;
  const ScreenEntryTable entries_;
  ArrayNames names_;
  int mapArrays_ = 0;
  int collisionArrays_ = 0;
  std::string failedPath_;
  std::vector<std::string> notes_;  // layers padded to whole screen blocks
  TextExportResult result_;
};

bool BinaryExportWriter::write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  return writeExportFile(job_.exportDirectory + name + ".bin", bytes.data(), bytes.size(), result_.written,
                         failedPath_);
}

bool BinaryExportWriter::writeLayer(const MapLayer& layer) {
  if (layer.kind == LayerKind::Entity) return write(names_.take("list"), littleEndian(entityValues(layer)));
  setLayerPlaceholders(values_, layer);
  if (layer.kind == LayerKind::Collision) {
    values_.arrayNumber = arrayNumberAfter(collisionArrays_++);
    return write(nameFor(ExportFile::Collision, true, "bgCollision"),
                 littleEndian(layOutArray(collisionValues(layer), job_.layout)));
  }
  values_.tileGroup = tileGroupOf(layer) + 1;
  values_.arrayNumber = arrayNumberAfter(mapArrays_++);
  const std::string name = nameFor(ExportFile::Map, true, "bgMap");
  const std::string note = screenBlockPaddingNote(layer, job_.layout);
  if (!note.empty()) notes_.push_back(note);
  return write(name, littleEndian(layOutMapArray(mapValues(layer, entries_, reduction_, *job_.registry), layer,
                                                 job_.layout)));
}

TextExportResult BinaryExportWriter::stop(const std::string& path) { return stoppedExport(path, services_, result_); }

TextExportResult BinaryExportWriter::finish() {
  ExportSummaryInput summary;
  summary.exported = result_.written;
  summary.paletteErrors = reduction_.paletteErrors;
  summary.tileErrors = reduction_.tileErrors;
  if (summary.paletteErrors != 0 || summary.tileErrors != 0) {
    summary.cellsAtFault = unregisteredPageCells(*job_.layers, *job_.registry);
    summary.offerShow = job_.offerShow;
  }
  summary.notes = notes_;
  return finishedExport(summary, services_, result_);
}

TextExportResult BinaryExportWriter::run() {
  values_.arraySize = paletteArraySize(reduction_, definition_.autoPadPalettes);
  const PaletteArrayOptions palette{job_.saturation, job_.luminance, definition_.autoPadPalettes, job_.bankOffset};
  if (!write(nameFor(ExportFile::Palette, false, "bgPalette"),
             littleEndian(layOutArray(paletteValues(reduction_, *job_.registry, palette), job_.layout)))) {
    return stop(failedPath_);
  }
  for (int group = 0; group < (reduction_.usesGroup2 ? 2 : 1); ++group) {
    setTilePlaceholders(values_, reduction_, group);
    const std::string name = nameFor(ExportFile::Tiles, false, "bgTiles");
    const std::vector<UniqueTile>& tiles = reduction_.tiles[static_cast<std::size_t>(group)];
    if (!write(name, littleEndian(layOutArray(tileValues(tiles), job_.layout)))) {
      return stop(failedPath_);
    }
  }
  for (const auto& layer : *job_.layers) {
    if (!writeLayer(*layer)) return stop(failedPath_);
  }
  return finish();
}

}  // namespace

TextExportResult writeBinaryExport(ExportReduction& reduction, const TextExportJob& job, SettingsStore& settings,
                                   PlatformServices& services) {
  return BinaryExportWriter(reduction, job, settings, services).run();
}

ExportOutcome exportBinary(EditorSession& session, const ExportOptions& options) {
  return runExport(session, options, writeBinaryExport);
}

}  // namespace qarto
