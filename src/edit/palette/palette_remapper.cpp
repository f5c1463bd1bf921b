#include "edit/palette/palette_remapper.h"

#include <cstdio>

#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/project/undo_journal.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

using RowMap = std::array<int, kPaletteRows>;
using IndexMap = std::array<std::uint8_t, kPaletteRows * kRowColours>;
using Palette = std::array<std::uint8_t, kPaletteBytes>;

bool validRow(int row) { return row >= 0 && row < kPaletteRows; }

Tileset* normalPage(EditorSession& session, int tilesetId) {
  Tileset* page = session.registry().find(tilesetId);
  if (page == nullptr || page->isCollisionTileset || page == session.project().collisionTileset) return nullptr;
  return page;
}

bool sameColour(const Palette& palette, int a, int b) {
  for (int channel = 0; channel < 3; ++channel) {
    if (palette[static_cast<std::size_t>(a * 3 + channel)] != palette[static_cast<std::size_t>(b * 3 + channel)]) {
      return false;
    }
  }
  return true;
}

void copyColour(Palette& palette, int to, const Palette& from, int index) {
  for (int channel = 0; channel < 3; ++channel) {
    palette[static_cast<std::size_t>(to * 3 + channel)] = from[static_cast<std::size_t>(index * 3 + channel)];
  }
}

// Writes the new pixels, palette and cell rows as one undo step.
void apply(EditorSession& session, Tileset& page, const IndexMap& indices, const Palette& palette,
           const RowMap& rows) {
  MapProject& project = session.project();
  UndoJournal& journal = project.journal();
  journal.commitCellEdit();  // an open stroke is filed first
  journal.beginCellEdit(project.layerAt(0));
  journal.recordPage(page);
  for (std::uint8_t& pixel : page.pixels) pixel = indices[pixel];
  page.palette = palette;
  for (const auto& layer : project.layers()) {
    if (layer->isEntityLayer() || layer->cells.size() != static_cast<std::size_t>(layer->width) * layer->height) {
      continue;
    }
    for (int y = 0; y < layer->height; ++y) {
      for (int x = 0; x < layer->width; ++x) {
        MapCell& cell = layer->cell(x, y);
        if (cell.tileset != page.id || !validRow(cell.palette) || rows[cell.palette] == cell.palette) continue;
        journal.recordCellOf(layer.get(), x, y, cell);
        cell.palette = static_cast<std::uint8_t>(rows[cell.palette]);
      }
    }
  }
  journal.commitCellEdit();
  project.modified = true;
}

RowMap identityRows() {
  RowMap rows{};
  for (int r = 0; r < kPaletteRows; ++r) rows[static_cast<std::size_t>(r)] = r;
  return rows;
}

}  // namespace

std::array<std::uint16_t, kPaletteRows> usedColours(const Tileset& page) {
  std::array<std::uint16_t, kPaletteRows> used{};
  for (const std::uint8_t pixel : page.pixels) used[pixel / kRowColours] |= std::uint16_t(1u << (pixel % kRowColours));
  return used;
}

bool movePaletteRow(EditorSession& session, int tilesetId, int from, int to) {
  Tileset* page = normalPage(session, tilesetId);
  if (page == nullptr || !validRow(from) || !validRow(to) || from == to) return false;
  RowMap rows = identityRows();
  for (int r = 0; r < kPaletteRows; ++r) {
    if (r == from) {
      rows[r] = to;
    } else if (from < to && r > from && r <= to) {
      rows[r] = r - 1;
    } else if (to < from && r >= to && r < from) {
      rows[r] = r + 1;
    }
  }
  IndexMap indices{};
  Palette palette{};
  for (int i = 0; i < kPaletteRows * kRowColours; ++i) {
    const int moved = rows[i / kRowColours] * kRowColours + i % kRowColours;
    indices[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(moved);
    copyColour(palette, moved, page->palette, i);
  }
  apply(session, *page, indices, palette, rows);
  return true;
}

bool mergePaletteRows(EditorSession& session, int tilesetId, int from, int into) {
  Tileset* page = normalPage(session, tilesetId);
  if (page == nullptr || !validRow(from) || !validRow(into) || from == into) return false;
  const std::array<std::uint16_t, kPaletteRows> used = usedColours(*page);
  Palette palette = page->palette;
  auto taken = static_cast<std::uint16_t>(used[into] | 1u);  // colour 0 stays the transparent one
  IndexMap indices{};
  for (int i = 0; i < kPaletteRows * kRowColours; ++i) indices[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  int needed = 0;
  for (int c = 1; c < kRowColours; ++c) needed += (used[into] >> c) & 1;
  for (int c = 0; c < kRowColours; ++c) {
    const int source = from * kRowColours + c;
    int target = into * kRowColours;  // colour 0 onto colour 0
    if (c != 0) {
      int match = -1;
      for (int e = 1; e < kRowColours && match < 0; ++e) {
        if (((taken >> e) & 1) != 0 && sameColour(palette, into * kRowColours + e, source)) match = e;
      }
      if (match < 0 && ((used[from] >> c) & 1) != 0) {
        ++needed;
        for (int e = 1; e < kRowColours && match < 0; ++e) {
          if (((taken >> e) & 1) == 0) match = e;
        }
        if (match >= 0) {
          taken = static_cast<std::uint16_t>(taken | (1u << match));
          copyColour(palette, into * kRowColours + match, page->palette, source);
        }
      }
      target += match < 0 ? 0 : match;
    }
    indices[static_cast<std::size_t>(source)] = static_cast<std::uint8_t>(target);
  }
  if (needed > kRowColours - 1) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "Rows %d and %d use %d colours together; a row holds 15 besides the transparent colour 0.\n\n"
                  "Nothing was changed.",
                  from, into, needed);
    session.services().messageBox(text, caption(kPaletteRemapperSuffix), MessageButtons::Ok, MessageIcon::Warning);
    return false;
  }
  RowMap rows = identityRows();
  rows[static_cast<std::size_t>(from)] = into;
  apply(session, *page, indices, palette, rows);
  return true;
}

}  // namespace qarto
