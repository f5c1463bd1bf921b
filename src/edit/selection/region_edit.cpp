#include "edit/selection/region_edit.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "edit/layers/layer_support.h"
#include "edit/selection/block_picture.h"
#include "edit/selection/clipboard.h"
#include "edit/state/engine_state.h"
#include "model/project/editor_session.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

using Pairing = std::pair<MapLayer*, const CellBlock::Layer*>;

bool sameFamily(LayerKind a, LayerKind b) { return (a == LayerKind::Collision) == (b == LayerKind::Collision); }

bool writable(const MapLayer& layer) { return layer.visible && !layer.locked && hasFullCells(layer); }

void refuse(EngineState& state, const std::string& text) {
  showLayerMessage(state.session, text, MessageIcon::Warning);
}

// Which block layer goes on which map layer: on the active layer the
// block's first layer of its family; on all tile layers the block's tile
// layers in order, bottom first.
std::vector<Pairing> pairings(const EngineState& state, const CellBlock& block) {
  std::vector<Pairing> out;
  const std::vector<MapLayer*> targets = regionLayers(state);
  if (state.selection.scope == RegionScope::ActiveLayer) {
    if (targets.empty()) return out;
    for (const CellBlock::Layer& layer : block.layers) {
      if (sameFamily(layer.kind, targets.front()->kind)) return {{targets.front(), &layer}};
    }
    return out;
  }
  std::size_t next = 0;
  for (const CellBlock::Layer& layer : block.layers) {
    if (next < targets.size() && isTileLayerKind(layer.kind)) out.emplace_back(targets[next++], &layer);
  }
  return out;
}

// Writes the block at `at` (or, without cells, the emptied cell) into each
// paired layer as one undo step. False when every layer was closed.
bool writeCells(EngineState& state, const std::vector<Pairing>& pairs, CellPoint at, int width, int height,
                bool empty) {
  const bool anyOpen = std::any_of(pairs.begin(), pairs.end(), [](const Pairing& p) { return writable(*p.first); });
  if (!anyOpen) {
    refuse(state, kRegionLayersClosedMessage);
    return false;
  }
  UndoJournal& journal = state.project().journal();
  if (journal.hasPending()) journal.commitCellEdit();
  journal.beginCellEdit(pairs.front().first);
  bool changed = false;
  for (const auto& [layer, source] : pairs) {
    if (!writable(*layer)) continue;
    MapCell cleared;
    const bool clearable = clearedCell(state.session, *layer, cleared);
    for (int dy = 0; dy < height; ++dy) {
      for (int dx = 0; dx < width; ++dx) {
        const int x = at.x + dx;
        const int y = at.y + dy;
        if (!layer->contains(x, y)) continue;
        MapCell wanted = cleared;
        if (!empty) {
          const MapCell& from = source->cells[static_cast<std::size_t>(dy) * static_cast<std::size_t>(width) +
                                              static_cast<std::size_t>(dx)];
          // A tile cell without a page is emptied, so that every cell keeps a page.
          if (from.tileset != 0 || !isTileLayerKind(layer->kind)) wanted = from;
        }
        if (wanted == cleared && !clearable) continue;
        MapCell next = layer->cell(x, y);
        copyCellContent(next, wanted);
        if (next == layer->cell(x, y)) continue;
        journal.recordCellOf(layer, x, y, layer->cell(x, y));
        layer->cell(x, y) = next;
        changed = true;
      }
    }
  }
  journal.commitCellEdit();
  if (changed) state.project().modified = true;
  return true;
}

// The message with the page's name in place of its "%s".
std::string withName(std::string_view text, const std::string& name) {
  const std::size_t at = text.find("%s");
  if (at == std::string_view::npos) return std::string(text);
  return std::string(text.substr(0, at)).append(name).append(text.substr(at + 2));
}

// The map's page for a page of the block: the collision page for the
// collision page, else one of that name (the same id first). 0 for none.
std::int8_t pageInMap(const TilesetRegistry& registry, const CellBlock::Page& page) {
  if (page.collision) {
    for (const auto& [id, tileset] : registry) {
      if (tileset->isCollisionTileset) return static_cast<std::int8_t>(id);
    }
    return 0;
  }
  const Tileset* same = registry.find(page.id);
  if (same != nullptr && !same->isCollisionTileset && same->displayName == page.name) return page.id;
  for (const auto& [id, tileset] : registry) {
    if (!tileset->isCollisionTileset && tileset->displayName == page.name) return static_cast<std::int8_t>(id);
  }
  return 0;
}

}  // namespace

std::vector<MapLayer*> regionLayers(const EngineState& state) {
  std::vector<MapLayer*> out;
  if (state.selection.scope == RegionScope::ActiveLayer) {
    MapLayer* active = state.activeLayer();
    if (active != nullptr && !active->isEntityLayer()) out.push_back(active);
    return out;
  }
  for (const auto& layer : state.project().layers()) {
    if (isTileLayerKind(layer->kind)) out.push_back(layer.get());
  }
  return out;
}

void beginRegionDrag(EngineState& state, CellPoint cell) {
  state.selection.dragging = true;
  state.selection.anchor = cell;
  selectRegion(state, cell, cell);
}

void dragRegion(EngineState& state, CellPoint cell) {
  if (state.selection.dragging) selectRegion(state, state.selection.anchor, cell);
}

void selectRegion(EngineState& state, CellPoint a, CellPoint b) {
  state.selection.rect.reset();
  const MapLayer* active = state.activeLayer();
  if (active == nullptr || active->isEntityLayer()) return;
  CellRect rect = CellRect::spanning(a, b);
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, active->width - 1);
  rect.bottom = std::min(rect.bottom, active->height - 1);
  if (rect.left <= rect.right && rect.top <= rect.bottom) state.selection.rect = rect;
}

void selectAll(EngineState& state) {
  if (const MapLayer* active = state.activeLayer()) selectRegion(state, {0, 0}, {active->width - 1, active->height - 1});
}

CellBlock copyRegion(const EngineState& state) {
  CellBlock block;
  if (!state.selection.rect) return block;
  const CellRect& rect = *state.selection.rect;
  block.width = rect.right - rect.left + 1;
  block.height = rect.bottom - rect.top + 1;
  const TilesetRegistry& registry = state.session.registry();
  for (const MapLayer* layer : regionLayers(state)) {
    CellBlock::Layer& out = block.layers.emplace_back();
    out.kind = layer->kind;
    out.cells.resize(static_cast<std::size_t>(block.width) * static_cast<std::size_t>(block.height));
    for (int y = rect.top; y <= rect.bottom; ++y) {
      for (int x = rect.left; x <= rect.right; ++x) {
        if (!layer->contains(x, y) || !hasFullCells(*layer)) continue;
        const MapCell& cell = layer->cell(x, y);
        out.cells[static_cast<std::size_t>(y - rect.top) * static_cast<std::size_t>(block.width) +
                  static_cast<std::size_t>(x - rect.left)] = cell;
        const Tileset* page = registry.find(cell.tileset);
        const bool listed = std::any_of(block.pages.begin(), block.pages.end(),
                                        [&](const CellBlock::Page& p) { return p.id == cell.tileset; });
        if (page != nullptr && !listed) block.pages.push_back({cell.tileset, page->isCollisionTileset, page->displayName});
      }
    }
  }
  return block;
}

void copySelection(EngineState& state) {
  const CellBlock block = copyRegion(state);
  if (block.layers.empty()) return;
  state.clipboard->put({encodeCellBlock(block), blockPicture(block, state.session.registry())});
}

bool deleteSelection(EngineState& state) {
  if (!state.selection.rect) return false;
  const CellRect& rect = *state.selection.rect;
  std::vector<Pairing> pairs;
  for (MapLayer* layer : regionLayers(state)) pairs.emplace_back(layer, nullptr);
  if (pairs.empty()) return false;
  return writeCells(state, pairs, {rect.left, rect.top}, rect.right - rect.left + 1, rect.bottom - rect.top + 1, true);
}

bool cutSelection(EngineState& state) {
  copySelection(state);
  return deleteSelection(state);
}

bool startPaste(EngineState& state) {
  const std::optional<std::vector<std::uint8_t>> bytes = state.clipboard->cells();
  if (!bytes) return false;
  std::optional<CellBlock> block = decodeCellBlock(*bytes);
  if (!block) {
    refuse(state, kClipboardUnreadableMessage);
    return false;
  }
  std::int8_t ids[256] = {};  // the block's page id -> this map's
  for (const CellBlock::Page& page : block->pages) {
    const std::int8_t id = pageInMap(state.session.registry(), page);
    if (id == 0) {
      refuse(state, withName(kPasteMissingPageMessage, page.name));
      return false;
    }
    ids[static_cast<std::uint8_t>(page.id)] = id;
  }
  for (CellBlock::Layer& layer : block->layers) {
    for (MapCell& cell : layer.cells) cell.tileset = ids[static_cast<std::uint8_t>(cell.tileset)];
  }
  if (pairings(state, *block).empty()) {
    refuse(state, kPasteNoFitMessage);
    return false;
  }
  state.selection.floating = std::move(block);
  state.selection.rect.reset();
  return true;
}

bool placePaste(EngineState& state, CellPoint cell) {
  if (!state.selection.floating) return false;
  const CellBlock& block = *state.selection.floating;
  const std::vector<Pairing> pairs = pairings(state, block);
  if (pairs.empty() || !writeCells(state, pairs, cell, block.width, block.height, false)) return false;
  const CellPoint end{cell.x + block.width - 1, cell.y + block.height - 1};
  state.selection.floating.reset();
  selectRegion(state, cell, end);
  return true;
}

void cancelPaste(EngineState& state) { state.selection.floating.reset(); }

const CellBlock::Layer* floatingLayerFor(const EngineState& state, const MapLayer& layer) {
  if (!state.selection.floating) return nullptr;
  for (const auto& [target, source] : pairings(state, *state.selection.floating)) {
    if (target == &layer) return source;
  }
  return nullptr;
}

}  // namespace qarto
