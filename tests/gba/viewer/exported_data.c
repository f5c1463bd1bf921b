/* Compiles the exported files, found on the include path, into the viewer
   and tells it how big the arrays are. VIEWER_MAP_ARRAYS, the number of
   tile layers, comes from the command line. */
#include "gba_types.h"
#include "viewer_params.h"

#include "BG_Palette.cpp"
#include "BG_Tiles.cpp"

/* The default template names every layer's array bgMap. Each occurrence
   gets the next number instead, so the bottom layer's array is bgMap_0. */
#define VIEWER_MAP_NAME_(n) bgMap_##n
#define VIEWER_MAP_NAME(n) VIEWER_MAP_NAME_(n)
#define bgMap VIEWER_MAP_NAME(__COUNTER__)
#include "BG_Maps.cpp"
#undef bgMap

const u16* const viewer_maps[VIEWER_MAX_LAYERS] = {
    bgMap_0,
#if VIEWER_MAP_ARRAYS > 1
    bgMap_1,
#endif
#if VIEWER_MAP_ARRAYS > 2
    bgMap_2,
#endif
#if VIEWER_MAP_ARRAYS > 3
    bgMap_3,
#endif
};

const u16* const viewer_palette = bgPalette;
const u32 viewer_palette_values = sizeof bgPalette / sizeof bgPalette[0];
const u16* const viewer_tiles = bgTiles;
const u32 viewer_tile_values = sizeof bgTiles / sizeof bgTiles[0];
