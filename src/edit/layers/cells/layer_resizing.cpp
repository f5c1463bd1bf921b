#include "edit/layers/cells/layer_resizing.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <utility>

#include "edit/layers/cells/entity_resizing.h"
#include "edit/layers/layer_support.h"
#include "model/allocation.h"
#include "model/project/editor_session.h"
#include "model/project/undo_journal.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

constexpr const char* kTileAllocationFailed = "Error....tile array allocation failed.  Try closing other applications. ";
constexpr const char* kNoTilesetFound = "Supposedly a tileset is loaded, but couldn't find one. Layer resize aborted.";

// A layer header holds 16-bit sizes.
constexpr int kLargestExtent = 0xFFFF;

struct PreparedLayer {
  MapLayer* layer = nullptr;
  int width = 0;
  int height = 0;
  std::optional<float> parallax;
  std::vector<MapCell> cells;
  std::vector<std::uint8_t> entities;
};

void copyInto(const MapLayer& layer, PreparedLayer& prepared, const ResizeLayout& layout) {
  const std::vector<int> columns =
      axisSources(layer.width, prepared.width, layout.anchor % 3, layout.stretchHorizontally);
  const std::vector<int> rows = axisSources(layer.height, prepared.height, layout.anchor / 3, layout.stretchVertically);
  const auto oldWidth = static_cast<std::size_t>(layer.width);
  const auto newWidth = static_cast<std::size_t>(prepared.width);
  for (std::size_t y = 0; y < rows.size(); ++y) {
    if (rows[y] < 0) continue;
    const MapCell* from = layer.cells.data() + static_cast<std::size_t>(rows[y]) * oldWidth;
    MapCell* to = prepared.cells.data() + y * newWidth;
    for (std::size_t x = 0; x < columns.size(); ++x) {
      if (columns[x] >= 0) copyCellContent(to[x], from[columns[x]]);
    }
  }
}

// Allocates and fills the new cells of one target; false after telling the user.
bool prepare(EditorSession& session, const ResizeTarget& target, const ResizeLayout& layout,
             PreparedLayer& prepared) {
  const MapLayer& layer = *target.layer;
  MapCell cleared;
  if (!clearedCell(session, layer, cleared)) {
    showLayerMessage(session, kNoTilesetFound, MessageIcon::Stop);
    return false;
  }
  const bool storable = target.width >= 1 && target.height >= 1 && target.width <= kLargestExtent &&
                        target.height <= kLargestExtent;
  const std::size_t count = storable ? static_cast<std::size_t>(target.width) * target.height : 0;
  if (!storable || !allocateZeroed(prepared.cells, count)) {
    showLayerMessage(session, kTileAllocationFailed, MessageIcon::Exclamation);
    return false;
  }
  if (!(cleared == MapCell{})) std::fill(prepared.cells.begin(), prepared.cells.end(), cleared);
  prepared.layer = target.layer;
  prepared.width = target.width;
  prepared.height = target.height;
  prepared.parallax = target.parallax;
  copyInto(layer, prepared, layout);
  return true;
}

// An entity layer keeps its entities on the map; returns how many had to
// be moved inside the new size.
int prepareEntities(const ResizeTarget& target, const ResizeLayout& layout, PreparedLayer& prepared) {
  const MapLayer& layer = *target.layer;
  prepared.layer = target.layer;
  prepared.width = target.width;
  prepared.height = target.height;
  prepared.parallax = target.parallax;
  prepared.entities = layer.entities;
  return resizeEntityBlock(prepared.entities, layer.width, layer.height, target.width, target.height, layout);
}

std::string movedInsideMessage(int count) {
  if (count == 1) return "1 entity lay outside the new size and was moved inside it.";
  return std::to_string(count) + " entities lay outside the new size and were moved inside it.";
}

}  // namespace

AxisCopy anchoredCopy(int from, int to, int side) {
  AxisCopy copy;
  copy.count = std::min(from, to);
  const int shrink = from > to ? from - to : 0;
  const int grow = to > from ? to - from : 0;
  if (side == 1) {
    copy.source = (shrink + 1) / 2;
    copy.target = (grow + 1) / 2;
  } else if (side == 2) {
    copy.source = shrink;
    copy.target = grow;
  }
  return copy;
}

std::vector<int> axisSources(int from, int to, int side, bool stretch) {
  std::vector<int> sources(static_cast<std::size_t>(std::max(to, 0)), -1);
  if (from <= 0 || to <= 0) return sources;
  if (stretch) {
    for (int j = 0; j < to; ++j) {
      sources[static_cast<std::size_t>(j)] = static_cast<int>(std::int64_t{j} * from / to);
    }
    return sources;
  }
  const AxisCopy copy = anchoredCopy(from, to, side);
  for (int i = 0; i < copy.count; ++i) sources[static_cast<std::size_t>(copy.target + i)] = copy.source + i;
  return sources;
}

bool resizeLayers(EditorSession& session, const std::vector<ResizeTarget>& targets, const ResizeLayout& layout) {
  std::vector<PreparedLayer> prepared;
  try {
    prepared.reserve(targets.size());
  } catch (const std::bad_alloc&) {
    showLayerMessage(session, kTileAllocationFailed, MessageIcon::Exclamation);
    return false;
  }
  int movedInside = 0;
  for (const ResizeTarget& target : targets) {
    MapLayer* layer = target.layer;
    if (layer == nullptr) continue;
    // An unchanged size copies every cell onto itself: nothing to do unless
    // the parallax changes.
    if (target.width == layer->width && target.height == layer->height && !target.parallax) continue;
    if (layer->isEntityLayer()) {
      if (layer->entities.size() == kEntityBlockSize) movedInside += prepareEntities(target, layout, prepared.emplace_back());
      continue;
    }
    if (!hasFullCells(*layer)) continue;
    if (!prepare(session, target, layout, prepared.emplace_back())) return false;
  }

  MapProject& project = session.project();
  UndoJournal& journal = project.journal();
  journal.commitCellEdit();  // an open stroke is filed before its cells move
  std::vector<LayerShape> former;
  bool recorded = true;
  try {
    former.reserve(prepared.size());
  } catch (const std::bad_alloc&) {
    recorded = false;  // the resize stands; older entries of these layers go
  }
  for (PreparedLayer& done : prepared) {
    MapLayer& layer = *done.layer;
    LayerShape shape{&layer, {}, {}, layer.width, layer.height, layer.parallaxX, layer.parallaxY};
    if (layer.isEntityLayer()) {
      layer.entities.swap(done.entities);
      shape.entities = std::move(done.entities);
    } else {
      layer.cells.swap(done.cells);
      shape.cells = std::move(done.cells);
    }
    layer.width = static_cast<std::uint16_t>(done.width);
    layer.height = static_cast<std::uint16_t>(done.height);
    if (done.parallax) layer.parallaxX = layer.parallaxY = *done.parallax;
    if (recorded) {
      former.push_back(std::move(shape));
    } else {
      journal.forgetLayer(&layer);
    }
  }
  if (!former.empty()) journal.recordLayersResized(std::move(former));
  if (!prepared.empty()) project.modified = true;
  notifyLayersChanged(project);
  if (movedInside > 0) showLayerMessage(session, movedInsideMessage(movedInside), MessageIcon::Information);
  return true;
}

}  // namespace qarto
