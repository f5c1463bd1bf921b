/* The map player ROM and what the editor appends to it. Shared by the ROM
   (freestanding C) and the host (C++), so both read the same layout; every
   field is little-endian, as the GBA is.

   ROM image:
     0x000  cartridge header (192 bytes)
     0x0C0  struct qplayer_info: says where the map goes
     ...    the player's code and data
     info.map_offset  struct qmap_header and the map data it points to */
#ifndef QARTO_MAP_ROM_FORMAT_H
#define QARTO_MAP_ROM_FORMAT_H

#include <stdint.h>

#define QPLAYER_INFO_OFFSET 0xC0
#define QPLAYER_MAGIC 0x594C5051u /* "QPLY" */
#define QPLAYER_VERSION 1

#define QMAP_MAGIC 0x50414D51u /* "QMAP" */
#define QMAP_VERSION 1
#define QMAP_MAX_LAYERS 4

/* The screen, and what of a layer the screen blocks hold: 31 x 21 cells
   cover 240 x 160 pixels at any scroll. */
#define QMAP_SCREEN_WIDTH 240
#define QMAP_SCREEN_HEIGHT 160

/* Video memory: tile group 1 in char blocks 0-1 (1024 tiles), tile group 2
   from char block 2 up to the screen blocks (768 tiles), layer n in screen
   block 28 + n. */
#define QMAP_GROUP1_TILES 1024
#define QMAP_GROUP2_TILES 768

/* Where the player keeps its state in work RAM, for whoever watches it run. */
#define QPLAYER_STATE_ADDRESS 0x03000000u

/* The player's own block, right after the cartridge header. */
struct qplayer_info {
  uint32_t magic;       /* QPLAYER_MAGIC */
  uint16_t version;     /* QPLAYER_VERSION */
  uint16_t map_version; /* the QMAP_VERSION it reads */
  uint32_t map_offset;  /* where the appended map starts: the player's size, rounded up to 4 */
};

struct qmap_layer {
  uint16_t width; /* in cells */
  uint16_t height;
  uint16_t group;       /* 0: tile group 1, 1: tile group 2 */
  uint16_t blank_entry; /* the screen entry shown outside the layer: a blank tile */
  int32_t parallax_x;   /* 16.16 fixed point: layer position = camera x parallax */
  int32_t parallax_y;
  uint32_t map_offset; /* width x height screen entries, row by row, from the header's start */
};

struct qmap_header {
  uint32_t magic; /* QMAP_MAGIC */
  uint16_t version;
  uint16_t header_size; /* sizeof(struct qmap_header) */
  uint16_t layer_count; /* 1..QMAP_MAX_LAYERS, bottom layer first */
  uint16_t speed;       /* d-pad scroll, pixels a frame */
  int32_t start_x;      /* the camera at start, in primary layer pixels */
  int32_t start_y;
  int32_t camera_max_x; /* the camera stays in 0..max */
  int32_t camera_max_y;
  uint16_t bank_offset; /* palettes go to bank bank_offset on */
  uint16_t tile_offset; /* tiles go to tile number tile_offset on, in each group */
  uint32_t palette_offset;
  uint32_t palette_colours;
  uint32_t tiles_offset[2]; /* per tile group, 32 bytes a tile */
  uint32_t tile_count[2];
  struct qmap_layer layers[QMAP_MAX_LAYERS];
};

/* What the player shows the outside world while it runs. */
#define QPLAYER_STARTING 0
#define QPLAYER_RUNNING 1
#define QPLAYER_NO_MAP 2

struct qplayer_state {
  uint32_t status; /* QPLAYER_STARTING, _RUNNING or _NO_MAP */
  uint32_t frame;  /* frames shown since the map came up */
  int32_t camera_x;
  int32_t camera_y;
};

#endif
