/* Compiles the exported files, found on the include path, into the viewer
   and tells it how big the arrays are. VIEWER_MAP_ARRAYS, the number of
   tile layers, comes from the command line. */
#include "gba_types.h"
#include "viewer_params.h"

#include "BG_Palette.cpp"
#include "BG_Tiles.cpp"
#include "BG_Maps.cpp"

/* The default templates name the bottom layer's array bgMap and number the
   later ones from 2. */
const u16* const viewer_maps[VIEWER_MAX_LAYERS] = {
    bgMap,
#if VIEWER_MAP_ARRAYS > 1
    bgMap2,
#endif
#if VIEWER_MAP_ARRAYS > 2
    bgMap3,
#endif
#if VIEWER_MAP_ARRAYS > 3
    bgMap4,
#endif
};

const u16* const viewer_palette = bgPalette;
const u32 viewer_palette_values = sizeof bgPalette / sizeof bgPalette[0];
const u16* const viewer_tiles = bgTiles;
const u32 viewer_tile_values = sizeof bgTiles / sizeof bgTiles[0];
