#include "layer_streaming.h"

static uint16_t entry_at(const struct streamed_layer* layer, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= layer->width || y >= layer->height) return layer->blank_entry;
  return layer->entries[y * layer->width + x];
}

static void write_column(struct streamed_layer* layer, int32_t x, int32_t first_row) {
  for (int32_t y = first_row; y < first_row + STREAM_ROWS; ++y) {
    layer->block[(y & 31) * 32 + (x & 31)] = entry_at(layer, x, y);
  }
}

static void write_row(struct streamed_layer* layer, int32_t y, int32_t first_column) {
  volatile uint16_t* line = layer->block + (y & 31) * 32;
  for (int32_t x = first_column; x < first_column + STREAM_COLUMNS; ++x) line[x & 31] = entry_at(layer, x, y);
}

/* The cells of [from, to) that are not in [old, old + count). */
static void new_span(int32_t old, int32_t from, int32_t count, int32_t* first, int32_t* end) {
  *first = from;
  *end = from + count;
  if (from > old) {
    *first = old + count > from ? old + count : from;
  } else {
    *end = from + count < old ? from + count : old;
  }
}

void stream_start(struct streamed_layer* layer, const struct qmap_layer* source, const uint8_t* base,
                  volatile uint16_t* block) {
  layer->entries = (const uint16_t*)(base + source->map_offset);
  layer->width = source->width;
  layer->height = source->height;
  layer->blank_entry = source->blank_entry;
  layer->block = block;
  layer->loaded = 0;
}

void stream_to(struct streamed_layer* layer, int32_t x, int32_t y) {
  const int32_t column = x >> 3; /* rounds down, also left of the layer */
  const int32_t row = y >> 3;
  const int32_t dx = column - layer->column;
  const int32_t dy = row - layer->row;
  if (!layer->loaded || dx >= STREAM_COLUMNS || -dx >= STREAM_COLUMNS || dy >= STREAM_ROWS || -dy >= STREAM_ROWS) {
    for (int32_t r = row; r < row + STREAM_ROWS; ++r) write_row(layer, r, column);
    layer->loaded = 1;
  } else {
    int32_t first, end;
    if (dx != 0) {
      new_span(layer->column, column, STREAM_COLUMNS, &first, &end);
      for (int32_t c = first; c < end; ++c) write_column(layer, c, row);
    }
    if (dy != 0) {
      new_span(layer->row, row, STREAM_ROWS, &first, &end);
      for (int32_t r = first; r < end; ++r) write_row(layer, r, column);
    }
  }
  layer->column = column;
  layer->row = row;
}
