#include "edit/palette/brush_palettes.h"

#include "edit/brush/brush_table.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

void resyncBrushPalettes(BrushTable& brushes, const TilesetRegistry& registry) {
  brushes.forEach([&registry](Brush& brush) {
    for (int i = 0; i < brush.count(); ++i) {
      const BrushPlacement& placement = brush.placement(i);
      const Tileset* page = registry.find(placement.tilesetId);
      if (page == nullptr || page->isCollisionTileset || placement.collisionTile) continue;
      if (placement.tile < 0 || placement.tile >= page->tileCount) continue;
      brush.setPlacementPalette(i, tilePaletteRow(*page, placement.tile));
    }
  });
}

}  // namespace qarto
