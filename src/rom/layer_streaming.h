/* Keeps the part of a map layer the screen shows in its 32 x 32 screen
   block while the layer scrolls: cell (x, y) lives in slot (x mod 32,
   y mod 32), so a layer of any size scrolls through the one block. */
#ifndef QARTO_LAYER_STREAMING_H
#define QARTO_LAYER_STREAMING_H

#include <stdint.h>

#include "map_rom_format.h"

/* Columns and rows of cells that can show at once: 240 pixels at any
   scroll touch 31 columns, 160 pixels 21 rows. */
#define STREAM_COLUMNS 31
#define STREAM_ROWS 21

struct streamed_layer {
  const uint16_t* entries; /* width x height, row by row */
  int32_t width;
  int32_t height;
  uint16_t blank_entry;
  volatile uint16_t* block; /* its screen block */
  int32_t column;           /* the top-left cell the block holds */
  int32_t row;
  int32_t loaded; /* whether the block holds anything yet */
};

void stream_start(struct streamed_layer* layer, const struct qmap_layer* source, const uint8_t* base,
                  volatile uint16_t* block);

/* Brings the block up to date for the layer's top-left pixel at (x, y):
   only the columns and rows that came into view are written, the whole
   window after a jump of a screen or more. */
void stream_to(struct streamed_layer* layer, int32_t x, int32_t y);

#endif
