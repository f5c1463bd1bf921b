#include "export/export_preparation.h"

#include <cstdint>
#include <cstdio>

#include "export/budget/cells_at_fault.h"
#include "model/app_title.h"
#include "model/project/layer_kind.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

struct Grouping {
  bool group1 = false;
  bool group2 = false;
};

Grouping groupingOf(const LayerStack& layers) {
  Grouping grouping;
  for (const auto& layer : layers) {
    if (!isTileLayerKind(layer->kind)) continue;
    (layer->tileGrouping ? grouping.group2 : grouping.group1) = true;
  }
  return grouping;
}

std::string countLine(const char* format, int count, int limit) {
  char text[128];
  std::snprintf(text, sizeof text, format, count);
  std::string line = text;
  if (count > limit) line += " (Error!!!)";
  return line;
}

// An overflow's warning, naming its cells; "Show" when the caller can show them.
void overflow(PreparedExport& prepared, PlatformServices& services, bool offerShow, const char* text,
              const char* suffix) {
  const bool show = offerShow && prepared.cellsAtFault.total > 0;
  prepared.status = ExportStatus::Refused;
  prepared.showCells = services.messageBox(text + cellsAtFaultText(prepared.cellsAtFault), caption(suffix),
                                           show ? MessageButtons::OkShow : MessageButtons::Ok,
                                           MessageIcon::Warning) == MessageAnswer::Show;
}

PreparedExport refuse(PlatformServices& services, const char* text, const char* suffix, MessageIcon icon) {
  services.messageBox(text, caption(suffix), MessageButtons::Ok, icon);
  return {};
}

}  // namespace

const char* countReportSuffix(bool unoptimized) { return unoptimized ? " - Counts" : " - Unique Counts"; }

std::string countReportText(const ExportReduction& reduction, bool unoptimized) {
  if (unoptimized) {
    return countLine("Number of 16 colour palettes: \n\t%i", reduction.paletteCount(), kMaxExportPalettes) +
           countLine("\n\nNumber of tiles detected: \n\t%i", reduction.tileCount(0), kMaxExportTiles);
  }
  std::string text =
      countLine("Number of unique 16 colour palettes detected: \n\t%i", reduction.paletteCount(), kMaxExportPalettes);
  if (!reduction.usesGroup2) {
    return text + countLine("\n\nNumber of unique tiles detected: \n\t%i", reduction.tileCount(0), kMaxExportTiles);
  }
  return text +
         countLine("\n\nNumber of unique tiles detected in Group1: \n\t%i", reduction.tileCount(0), kMaxExportTiles) +
         countLine("\n\nNumber of unique tiles detected in Group2: \n\t%i", reduction.tileCount(1), kMaxGroup2Tiles);
}

PreparedExport prepareExport(MapProject& project, const ExportRequest& request, MatchMethod method) {
  PlatformServices& services = project.services();
  const TilesetRegistry& registry = project.registry();
  const LayerStack& layers = project.layers();

  if (registry.countNonCollision() == 0 || !project.tilesetsLoaded) {
    return request.countOnly ? refuse(services, kNoTilesToCompareMessage, " - Unique Counts", MessageIcon::Information)
                             : refuse(services, kNothingToExportMessage, " - Export", MessageIcon::Information);
  }
  const Grouping grouping = groupingOf(layers);
  if (grouping.group2 && !grouping.group1) {
    return refuse(services, kNoGroup1Message, " - Export", MessageIcon::Warning);
  }
  if (project.unoptimizedMode && grouping.group2) {
    return refuse(services, kUnoptimizedGroupingMessage, " - Export", MessageIcon::Warning);
  }

  PreparedExport prepared;
  prepared.busy = std::make_unique<BusyPointer>(services);
  ExportReduction& reduction = prepared.reduction;
  reduction.usesGroup2 = grouping.group2;
  CollectPalettes(reduction, layers, registry, project.unoptimizedMode, method);
  CollectTiles(reduction, layers, registry, 0, method);
  if (grouping.group2) CollectTiles(reduction, layers, registry, 1, method);

  if (request.countOnly) {
    services.messageBox(countReportText(reduction, project.unoptimizedMode),
                        caption(countReportSuffix(project.unoptimizedMode)), MessageButtons::Ok,
                        MessageIcon::Information);
    prepared.status = ExportStatus::CountsReported;
    return prepared;
  }
  // 64-bit sums: an absurd offset from the settings must not wrap into range.
  if (static_cast<std::int64_t>(request.bankOffset) + reduction.paletteCount() > kMaxExportPalettes) {
    prepared.cellsAtFault = paletteOverflowCells(layers, reduction, request.bankOffset);
    overflow(prepared, services, request.offerShow, kPaletteOverflowMessage, " - Palette Overflow");
    return prepared;
  }
  if (static_cast<std::int64_t>(request.tileOffset) + reduction.tileCount(0) > kMaxExportTiles) {
    prepared.cellsAtFault = tileOverflowCells(layers, reduction, request.tileOffset);
    overflow(prepared, services, request.offerShow, kTileOverflowMessage, " - Tile Overflow");
    return prepared;
  }
  prepared.status = ExportStatus::Ready;
  return prepared;
}

}  // namespace qarto
