/* A small GBA program that shows an exported map: the palettes and tiles
   at the export's bank and tile offsets, and each tile layer on its own
   text background at the scroll offset given in the parameter block. */
#include "gba_types.h"
#include "viewer_params.h"

#define REG_DISPCNT (*(volatile u16*)0x04000000)
#define REG_BGCNT(n) (*(volatile u16*)(0x04000008 + 2 * (n)))
#define REG_BGHOFS(n) (*(volatile u16*)(0x04000010 + 4 * (n)))
#define REG_BGVOFS(n) (*(volatile u16*)(0x04000012 + 4 * (n)))

#define BG_PALETTE ((volatile u16*)0x05000000)
#define BG_VRAM ((volatile u16*)0x06000000)

#define DISPCNT_FORCED_BLANK 0x0080
#define DISPCNT_BG0 0x0100

#define SCREEN_WIDTH_CELLS 30
#define SCREEN_HEIGHT_CELLS 20
#define FIRST_SCREEN_BLOCK 28 /* tiles fill char blocks 0 and 1; maps go last */
#define SCREEN_BLOCK_HALFWORDS 1024
#define TILE_HALFWORDS 16
#define PALETTE_HALFWORDS 256

extern const u16* const viewer_maps[VIEWER_MAX_LAYERS];
extern const u16* const viewer_palette;
extern const u32 viewer_palette_values;
extern const u16* const viewer_tiles;
extern const u32 viewer_tile_values;

/* Volatile: the values in the image are patched after linking. */
__attribute__((section(".viewer_params"), used)) const volatile struct viewer_params viewer_params = {
    0, 0, 1, 0, {{0, 0, 0, 0}}};

static void load_palettes(void) {
  u32 first = viewer_params.bank_offset * 16u;
  u32 count = viewer_palette_values;
  if (count > PALETTE_HALFWORDS - first) count = PALETTE_HALFWORDS - first;
  for (u32 i = 0; i < count; ++i) BG_PALETTE[first + i] = viewer_palette[i];
  /* Colour 0 of every row shows the backdrop, entry 0: with a bank offset
     the export's first colour still sets it. */
  if (count > 0) BG_PALETTE[0] = viewer_palette[0];
}

static void load_tiles(void) {
  u32 first = viewer_params.tile_offset * (u32)TILE_HALFWORDS;
  u32 count = viewer_tile_values;
  /* Tiles 0..1023 fill char blocks 0 and 1; a bigger offset wraps around
     like the tile numbers in the screen entries. */
  for (u32 i = 0; i < count; ++i) BG_VRAM[(first + i) & 0x3FFF] = viewer_tiles[i];
}

/* Copies the cells the screen shows into the layer's 32x32 screen block;
   the background wraps around, so cell (x, y) goes to (x mod 32, y mod 32). */
static void show_layer(u32 n) {
  volatile const struct viewer_layer* layer = &viewer_params.layers[n];
  const u16* map = viewer_maps[n];
  u32 width = layer->width;
  u32 height = layer->height;
  u32 scroll_x = layer->scroll_x;
  u32 scroll_y = layer->scroll_y;
  volatile u16* block = BG_VRAM + (FIRST_SCREEN_BLOCK + n) * SCREEN_BLOCK_HALFWORDS;
  for (u32 y = scroll_y / 8; y <= scroll_y / 8 + SCREEN_HEIGHT_CELLS && y < height; ++y) {
    for (u32 x = scroll_x / 8; x <= scroll_x / 8 + SCREEN_WIDTH_CELLS && x < width; ++x) {
      block[(y & 31) * 32 + (x & 31)] = map[y * width + x];
    }
  }
  REG_BGHOFS(n) = (u16)(scroll_x & 511);
  REG_BGVOFS(n) = (u16)(scroll_y & 511);
  /* The bottom layer gets the lowest priority (3), so upper layers cover it. */
  u32 priority = 3 - n;
  REG_BGCNT(n) = (u16)(priority | (FIRST_SCREEN_BLOCK + n) << 8);
}

int main(void) {
  REG_DISPCNT = DISPCNT_FORCED_BLANK;
  load_palettes();
  load_tiles();
  u32 layers = viewer_params.layer_count;
  if (layers > VIEWER_MAX_LAYERS) layers = VIEWER_MAX_LAYERS;
  u16 enabled = 0;
  for (u32 n = 0; n < layers; ++n) {
    show_layer(n);
    enabled |= (u16)(DISPCNT_BG0 << n);
  }
  /* Mode 0 with the layers on; the harness waits for this write. */
  REG_DISPCNT = enabled;
  for (;;) {
  }
}
