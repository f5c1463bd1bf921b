/* The parameter block of the map viewer. It sits at a fixed place in the
   ROM image so that one build can show any part of the map: whoever runs
   the viewer patches these bytes into the image first. Shared by the GBA
   program (C) and the host side (C++); all fields little-endian. */
#ifndef VIEWER_PARAMS_H
#define VIEWER_PARAMS_H

#include <stdint.h>

#define VIEWER_PARAMS_ROM_OFFSET 0xC0
#define VIEWER_MAX_LAYERS 4

/* One tile layer of the exported map, bottom layer first. */
struct viewer_layer {
  uint16_t width;    /* in cells, as exported */
  uint16_t height;
  uint16_t scroll_x; /* top-left pixel of the layer shown at the screen's top-left */
  uint16_t scroll_y;
};

struct viewer_params {
  uint16_t bank_offset; /* palette data goes to palette bank bank_offset on */
  uint16_t tile_offset; /* tile data goes to tile number tile_offset on */
  uint16_t layer_count; /* 1..VIEWER_MAX_LAYERS */
  uint16_t reserved;
  struct viewer_layer layers[VIEWER_MAX_LAYERS];
};

#endif
