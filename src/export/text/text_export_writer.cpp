#include "export/text/text_export_writer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <memory>
#include <optional>

#include "export/budget/cells_at_fault.h"
#include "export/definition/export_definition.h"
#include "export/layout/array_layout.h"
#include "export/reduction/screen_entry_table.h"
#include "export/text/export_arrays.h"
#include "export/text/export_placeholders.h"
#include "export/text/export_summary.h"
#include "export/text/export_template.h"
#include "export/text/export_text_blocks.h"
#include "export/text/text_output_file.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/layer_kind.h"
#include "model/settings/settings_store.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

class TextExportWriter {
 public:
  TextExportWriter(ExportReduction& reduction, const TextExportJob& job, SettingsStore& settings,
                   PlatformServices& services)
      : reduction_(reduction),
        job_(job),
        settings_(settings),
        services_(services),
        entries_(reduction, job.bankOffset, job.tileOffset) {}

  TextExportResult run();

 private:
  void startValues();
  void openExternFiles();
  void writeExtern(ExportFile which, bool withLayer);
  bool writePaletteFile();
  void writeTileArray(TextOutputFile& file, int group);
  bool writeTileFile();
  bool writeMapFile(TextOutputFile& mapFile);
  void writeTileLayer(TextOutputFile& mapFile, const MapLayer& layer);
  void writeCollisionArray(const MapLayer& layer);
  void closeCollisionFile();
  void closeExternFiles();
  TextExportResult stop(const std::string& path);
  TextExportResult finish();
  std::string path(ExportFile which) const;

  ExportReduction& reduction_;
  const TextExportJob& job_;
  SettingsStore& settings_;
  PlatformServices& services_;
  const ScreenEntryTable entries_;
  ExportDefinition definition_;
  PlaceholderValues values_;
  // Extern file 1 and 2; each exists only when some extern state routes to it.
  std::array<std::unique_ptr<TextOutputFile>, 2> externs_;
  // Every collision layer goes to the one collision file, each array after
  // the last.
  std::unique_ptr<TextOutputFile> collisionFile_;
  std::string collisionPath_;  // as the summary shows it
  bool collisionFailed_ = false;
  int mapArrays_ = 0;
  int collisionArrays_ = 0;
  std::vector<std::string> notes_;  // layers padded to whole screen blocks
  TextExportResult result_;
};

std::string TextExportWriter::path(ExportFile which) const {
  return ExpandFileName(job_.exportDirectory, definition_.file(which).fileName, values_);
}

void TextExportWriter::startValues() {
  definition_ = LoadExportDefinition(settings_);
  // The counter advances on every export that gets this far, written or not.
  const int counter = definition_.numAutoGen;
  settings_.writeInt(kExportingSection, kNumAutoGenKey, counter < INT_MAX ? counter + 1 : 0);

  values_ = startingPlaceholders(reduction_, job_, counter);
}

void TextExportWriter::openExternFiles() {
  const std::array<std::pair<const std::string*, const std::string*>, 2> files = {
      std::pair{&definition_.file1Name, &definition_.file1Includes},
      std::pair{&definition_.file2Name, &definition_.file2Includes}};
  for (std::size_t i = 0; i < externs_.size(); ++i) {
    const int state = static_cast<int>(i) + 1;
    bool needed = false;
    for (const FileSection& section : definition_.files) needed = needed || section.externState == state;
    if (!needed) continue;
    externs_[i] = std::make_unique<TextOutputFile>(ExpandFileName(job_.exportDirectory, *files[i].first, values_));
    // A file that cannot be opened is skipped; the summary says so.
    if (externs_[i]->open()) WriteFileHeader(*externs_[i], *files[i].second, values_);
  }
}

void TextExportWriter::writeExtern(ExportFile which, bool withLayer) {
  const FileSection& section = definition_.file(which);
  if (section.externState != 1 && section.externState != 2) return;
  TextOutputFile* file = externs_[static_cast<std::size_t>(section.externState - 1)].get();
  if (file != nullptr && file->isOpen()) WriteExternLine(*file, section.externFormat, values_, withLayer);
}

bool TextExportWriter::writePaletteFile() {
  values_.arraySize = paletteArraySize(reduction_, definition_.autoPadPalettes);
  const PaletteArrayOptions options{job_.saturation, job_.luminance, definition_.autoPadPalettes, job_.bankOffset};
  std::vector<std::uint16_t> packed;
  if (job_.layout.lz77) {
    packed = layOutArray(paletteValues(reduction_, *job_.registry, options), job_.layout);
    values_.arraySize = static_cast<int>(packed.size());
  }
  writeExtern(ExportFile::Palette, false);

  TextOutputFile file(path(ExportFile::Palette));
  if (!file.open()) return false;
  const FileSection& section = definition_.file(ExportFile::Palette);
  WriteFileHeader(file, section.includes, values_);
  const std::string tail = WriteDataHead(file, section.format, values_, false);
  if (job_.layout.lz77) {
    appendLaidOutArray(file.text(), packed);
  } else {
    appendPaletteArray(file.text(), reduction_, *job_.registry, options);
  }
  file.write(tail);
  if (!file.close()) return false;
  result_.written.push_back(file.path());
  return true;
}

void TextExportWriter::writeTileArray(TextOutputFile& file, int group) {
  setTilePlaceholders(values_, reduction_, group);
  const std::vector<UniqueTile>& tiles = reduction_.tiles[static_cast<std::size_t>(group)];
  std::vector<std::uint16_t> packed;
  if (job_.layout.lz77) {
    packed = layOutArray(tileValues(tiles), job_.layout);
    values_.arraySize = static_cast<int>(packed.size());
  }
  writeExtern(ExportFile::Tiles, false);
  const std::string tail = WriteDataHead(file, definition_.file(ExportFile::Tiles).format, values_, false);
  if (job_.layout.lz77) {
    appendLaidOutArray(file.text(), packed);
  } else {
    appendTileArray(file.text(), tiles);
  }
  file.write(tail);
}

bool TextExportWriter::writeTileFile() {
  TextOutputFile file(path(ExportFile::Tiles));
  if (!file.open()) return false;
  WriteFileHeader(file, definition_.file(ExportFile::Tiles).includes, values_);
  writeTileArray(file, 0);
  // The second array follows the first tail directly.
  if (reduction_.usesGroup2) writeTileArray(file, 1);
  if (!file.close()) return false;
  result_.written.push_back(file.path());
  return true;
}

void TextExportWriter::writeTileLayer(TextOutputFile& mapFile, const MapLayer& layer) {
  values_.tileGroup = tileGroupOf(layer) + 1;
  values_.arrayNumber = arrayNumberAfter(mapArrays_++);
  std::vector<std::uint16_t> laidOut;
  if (job_.layout.changesValues()) {
    laidOut = layOutMapArray(mapValues(layer, entries_, reduction_, *job_.registry), layer, job_.layout);
    values_.arraySize = static_cast<int>(laidOut.size());
    const std::string note = screenBlockPaddingNote(layer, job_.layout);
    if (!note.empty()) notes_.push_back(note);
  }
  writeExtern(ExportFile::Map, true);
  const std::string tail = WriteDataHead(mapFile, definition_.file(ExportFile::Map).format, values_, true);
  if (job_.layout.changesValues()) {
    appendLaidOutArray(mapFile.text(), laidOut);
  } else {
    appendMapArray(mapFile.text(), layer, entries_, reduction_, *job_.registry);
  }
  mapFile.write(tail);
}

void TextExportWriter::writeCollisionArray(const MapLayer& layer) {
  const FileSection& section = definition_.file(ExportFile::Collision);
  if (collisionFile_ == nullptr) {
    collisionFile_ = std::make_unique<TextOutputFile>(path(ExportFile::Collision));
    collisionPath_ = collisionFile_->path();
    // An unwritable collision file is skipped; the map file goes on.
    if (!collisionFile_->open()) return;
    WriteFileHeader(*collisionFile_, section.includes, values_);
  } else if (collisionFile_->isOpen()) {
    collisionFile_->write("\n\n");
  }
  if (!collisionFile_->isOpen()) return;
  values_.arrayNumber = arrayNumberAfter(collisionArrays_++);
  std::vector<std::uint16_t> packed;
  if (job_.layout.lz77) {
    packed = layOutArray(collisionValues(layer), job_.layout);
    values_.arraySize = static_cast<int>(packed.size());
  }
  writeExtern(ExportFile::Collision, true);
  const std::string tail = WriteDataHead(*collisionFile_, section.format, values_, true);
  if (job_.layout.lz77) {
    appendLaidOutArray(collisionFile_->text(), packed);
  } else {
    appendCollisionArray(collisionFile_->text(), layer);
  }
  collisionFile_->write(tail);
}

void TextExportWriter::closeCollisionFile() {
  if (collisionFile_ == nullptr) return;
  collisionFailed_ = !collisionFile_->close();
  if (!collisionFailed_) result_.written.push_back(collisionFile_->path());
}

bool TextExportWriter::writeMapFile(TextOutputFile& mapFile) {
  if (!mapFile.open()) return false;
  WriteFileHeader(mapFile, definition_.file(ExportFile::Map).includes, values_);
  const LayerStack& layers = *job_.layers;
  // Room for every map array at once, so the largest text is never moved.
  std::size_t room = 0;
  for (const auto& layer : layers) {
    if (isTileLayerKind(layer->kind)) room += mapArrayRoom(*layer);
  }
  mapFile.text().reserve(room);
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const MapLayer& layer = *layers[i];
    if (layer.kind == LayerKind::Entity) {
      appendEntityList(mapFile.text(), layer);
      continue;
    }
    setLayerPlaceholders(values_, layer);
    if (layer.kind == LayerKind::Collision) {
      writeCollisionArray(layer);
      continue;
    }
    writeTileLayer(mapFile, layer);
    if (i + 1 < layers.size()) mapFile.write("\n\n");
  }
  closeCollisionFile();
  return true;
}

void TextExportWriter::closeExternFiles() {
  for (const auto& file : externs_) {
    if (file != nullptr && file->isOpen() && file->close()) result_.written.push_back(file->path());
  }
}

TextExportResult TextExportWriter::stop(const std::string& failedPath) {
  closeExternFiles();
  return stoppedExport(failedPath, services_, result_);
}

TextExportResult TextExportWriter::finish() {
  ExportSummaryInput summary;
  summary.exported = {path(ExportFile::Palette), path(ExportFile::Tiles), path(ExportFile::Map)};
  if (collisionPath_.empty()) {
    // No collision layer: the configured name, placeholders as written.
    summary.exported.push_back(job_.exportDirectory + definition_.file(ExportFile::Collision).fileName);
  } else if (collisionFailed_) {
    summary.notWritten.push_back(collisionPath_);
  } else {
    summary.exported.push_back(collisionPath_);
  }
  for (const auto& file : externs_) {
    if (file == nullptr) continue;
    const bool written = std::find(result_.written.begin(), result_.written.end(), file->path()) != result_.written.end();
    (written ? summary.exported : summary.notWritten).push_back(file->path());
  }
  summary.paletteErrors = reduction_.paletteErrors;
  summary.tileErrors = reduction_.tileErrors;
  if (summary.paletteErrors != 0 || summary.tileErrors != 0) {
    summary.cellsAtFault = unregisteredPageCells(*job_.layers, *job_.registry);
    summary.offerShow = job_.offerShow;
  }
  summary.notes = notes_;
  return finishedExport(summary, services_, result_);
}

TextExportResult TextExportWriter::run() {
  startValues();
  openExternFiles();
  if (!writePaletteFile()) return stop(path(ExportFile::Palette));
  if (!writeTileFile()) return stop(path(ExportFile::Tiles));

  TextOutputFile mapFile(path(ExportFile::Map));
  if (!writeMapFile(mapFile)) return stop(mapFile.path());
  const bool mapClosed = mapFile.close();
  if (!mapClosed) return stop(mapFile.path());
  result_.written.push_back(mapFile.path());
  closeExternFiles();
  return finish();
}

}  // namespace

TextExportResult writeTextExport(ExportReduction& reduction, const TextExportJob& job, SettingsStore& settings,
                                 PlatformServices& services) {
  return TextExportWriter(reduction, job, settings, services).run();
}

}  // namespace qarto
