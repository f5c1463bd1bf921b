// A program as a user writes it against the export: it includes only the
// extern header and shows the demo map's sky (background 0) and level
// (background 1, in front), each on a 64x32 background at screen blocks
// 28-29 and 30-31. BLOCKS: exported with --screenblocks --lz77, the BIOS
// unpacks every array straight into video memory; otherwise the maps are
// copied row by row.
#include "BG_Externs.h"

#define REG(address) (*reinterpret_cast<volatile u16*>(address))
#define VRAM(halfword) (reinterpret_cast<volatile u16*>(0x06000000) + (halfword))

#ifdef BLOCKS
// SWI 0x12: LZ77 into video memory, a halfword at a time.
static void unpack(const void* source, volatile void* target) {
  register const void* r0 asm("r0") = source;
  register volatile void* r1 asm("r1") = target;
  asm volatile("swi 0x12" : "+r"(r0), "+r"(r1) : : "r2", "r3", "memory");
}
#endif

int main() {
  const struct {
    const u16* map;
    int width, height;
  } layers[] = {{bgMap, 47, 26}, {bgMap2, 64, 32}};
  REG(0x04000000) = 0x0080;  // forced blank while loading
#ifdef BLOCKS
  unpack(bgPalette, reinterpret_cast<volatile u16*>(0x05000000));
  unpack(bgTiles, VRAM(0));
  for (int n = 0; n < 2; ++n) unpack(layers[n].map, VRAM((28 + 2 * n) * 1024));
#else
  for (unsigned i = 0; i < sizeof bgPalette / 2; ++i) reinterpret_cast<volatile u16*>(0x05000000)[i] = bgPalette[i];
  for (unsigned i = 0; i < sizeof bgTiles / 2; ++i) *VRAM(i) = bgTiles[i];
  for (int n = 0; n < 2; ++n) {
    for (int y = 0; y < layers[n].height; ++y) {
      for (int x = 0; x < layers[n].width; ++x) {
        *VRAM((28 + 2 * n + x / 32) * 1024 + y * 32 + x % 32) = layers[n].map[y * layers[n].width + x];
      }
    }
  }
#endif
  for (int n = 0; n < 2; ++n) REG(0x04000008 + 2 * n) = static_cast<u16>((3 - n) | (28 + 2 * n) << 8 | 1 << 14);
  REG(0x04000000) = 0x0300;  // mode 0, backgrounds 0 and 1
  for (;;) {
  }
}
