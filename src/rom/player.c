/* The map player: finds the map appended to the ROM, loads its palettes and
   tiles, shows up to four layers on text backgrounds 0-3 (the bottom layer
   on background 0, behind the others) and scrolls them with the d-pad, the
   primary layer at the map's speed (B held: four times that), the others
   at their parallax. Map rows and columns stream into the screen blocks as
   they come into view. */
#include "gba_hardware.h"
#include "layer_streaming.h"
#include "map_rom_format.h"

extern const uint8_t __map_start[]; /* from the linker script: the end of the player */

__attribute__((section(".player_state"), used)) volatile struct qplayer_state player_state;

static struct streamed_layer layers[QMAP_MAX_LAYERS];

static void wait_for_vblank(void) {
  while (REG_VCOUNT >= QMAP_SCREEN_HEIGHT) {
  }
  while (REG_VCOUNT < QMAP_SCREEN_HEIGHT) {
  }
}

static int32_t clamp(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : value > high ? high : value;
}

/* camera x parallax (16.16), rounded down. */
static int32_t layer_position(int32_t camera, int32_t parallax) {
  return (int32_t)(((int64_t)camera * parallax) >> 16);
}

static void load_palettes(const struct qmap_header* map) {
  const uint16_t* colours = (const uint16_t*)(__map_start + map->palette_offset);
  uint32_t first = map->bank_offset * 16u;
  for (uint32_t i = 0; i < map->palette_colours && first + i < 256; ++i) BG_PALETTE[first + i] = colours[i];
  /* Colour 0 of bank 0 is the backdrop: the first palette's, whatever the offset. */
  if (map->palette_colours > 0) BG_PALETTE[0] = colours[0];
}

static void load_tiles(const struct qmap_header* map) {
  for (uint32_t group = 0; group < 2; ++group) {
    const uint16_t* tiles = (const uint16_t*)(__map_start + map->tiles_offset[group]);
    volatile uint16_t* base = VRAM + group * 2 * CHAR_BLOCK_HALFWORDS;
    /* Group 1 wraps within its 1024 tiles like the tile numbers of its entries. */
    uint32_t mask = group == 0 ? QMAP_GROUP1_TILES * TILE_HALFWORDS - 1 : 0xFFFFFFFFu;
    uint32_t first = map->tile_offset * (uint32_t)TILE_HALFWORDS;
    uint32_t count = map->tile_count[group] * (uint32_t)TILE_HALFWORDS;
    for (uint32_t i = 0; i < count; ++i) base[(first + i) & mask] = tiles[i];
  }
}

static void place_layers(const struct qmap_header* map, int32_t camera_x, int32_t camera_y) {
  for (uint32_t n = 0; n < map->layer_count; ++n) {
    const struct qmap_layer* source = &map->layers[n];
    int32_t x = layer_position(camera_x, source->parallax_x);
    int32_t y = layer_position(camera_y, source->parallax_y);
    stream_to(&layers[n], x, y);
    REG_BGHOFS(n) = (uint16_t)(x & 511);
    REG_BGVOFS(n) = (uint16_t)(y & 511);
  }
}

static const struct qmap_header* find_map(void) {
  const struct qmap_header* map = (const struct qmap_header*)__map_start;
  if (map->magic != QMAP_MAGIC || map->version != QMAP_VERSION || map->layer_count == 0 ||
      map->layer_count > QMAP_MAX_LAYERS) {
    return 0;
  }
  return map;
}

int main(void) {
  REG_DISPCNT = DISPCNT_FORCED_BLANK;
  REG_WAITCNT = 0x4317; /* cartridge: 3/1 wait states and the prefetch buffer */
  player_state.status = QPLAYER_STARTING;
  player_state.frame = 0;

  const struct qmap_header* map = find_map();
  if (map == 0) {
    BG_PALETTE[0] = 0x001F; /* a red screen: this image holds no map */
    player_state.status = QPLAYER_NO_MAP;
    REG_DISPCNT = 0;
    for (;;) {
    }
  }

  load_palettes(map);
  load_tiles(map);
  uint16_t shown = 0;
  for (uint32_t n = 0; n < map->layer_count; ++n) {
    const struct qmap_layer* source = &map->layers[n];
    uint32_t block = FIRST_SCREEN_BLOCK + n;
    stream_start(&layers[n], source, __map_start, VRAM + block * SCREEN_BLOCK_HALFWORDS);
    uint32_t char_block = source->group ? 2 : 0;
    REG_BGCNT(n) = (uint16_t)((3 - n) | char_block << 2 | block << 8);
    shown |= (uint16_t)(DISPCNT_BG0 << n);
  }
  int32_t camera_x = clamp(map->start_x, 0, map->camera_max_x);
  int32_t camera_y = clamp(map->start_y, 0, map->camera_max_y);
  place_layers(map, camera_x, camera_y);

  for (;;) {
    wait_for_vblank();
    if (player_state.status == QPLAYER_STARTING) {
      REG_DISPCNT = shown; /* mode 0, the layers on, from this frame on */
      player_state.status = QPLAYER_RUNNING;
    } else {
      uint16_t keys = (uint16_t)~REG_KEYINPUT;
      int32_t speed = (keys & KEY_B) ? 4 * map->speed : map->speed;
      if (keys & KEY_RIGHT) camera_x += speed;
      if (keys & KEY_LEFT) camera_x -= speed;
      if (keys & KEY_DOWN) camera_y += speed;
      if (keys & KEY_UP) camera_y -= speed;
      camera_x = clamp(camera_x, 0, map->camera_max_x);
      camera_y = clamp(camera_y, 0, map->camera_max_y);
      place_layers(map, camera_x, camera_y);
      ++player_state.frame;
    }
    player_state.camera_x = camera_x;
    player_state.camera_y = camera_y;
  }
}
