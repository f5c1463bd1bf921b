// A GBA program as a user writes it against the exported files: it
// includes only the extern header and shows the demo map's two tile layers
// (the sky on background 0, the level in front on background 1) from the
// top-left. BLOCKS: the arrays were exported with --screenblocks --lz77,
// so the BIOS unpacks each straight into video memory; otherwise the maps
// are copied row by row into their screen blocks.
#include "BG_Externs.h"

namespace {

volatile u16& reg(unsigned address) { return *reinterpret_cast<volatile u16*>(address); }
volatile u16* const kPaletteRam = reinterpret_cast<volatile u16*>(0x05000000);
volatile u16* const kVram = reinterpret_cast<volatile u16*>(0x06000000);
constexpr unsigned kBlockEntries = 32 * 32;

struct Layer {
  const u16* map;
  int width;
  int height;
};
// Both layers fit a 64x32 background: two screen blocks side by side.
const Layer kLayers[] = {{bgMap, 47, 26}, {bgMap2, 64, 32}};

volatile u16* screenBlocks(int layer) { return kVram + (28 + 2 * layer) * kBlockEntries; }

#ifdef BLOCKS
// SWI 0x12: LZ77 to video memory, written a halfword at a time.
void unpack(const void* source, volatile void* target) {
  register const void* r0 asm("r0") = source;
  register volatile void* r1 asm("r1") = target;
  asm volatile("swi 0x12" : "+r"(r0), "+r"(r1) : : "r2", "r3", "memory");
}
#else
template <unsigned N>
void copy(const u16 (&values)[N], volatile u16* target) {
  for (unsigned i = 0; i < N; ++i) target[i] = values[i];
}
#endif

}  // namespace

int main() {
  reg(0x04000000) = 0x0080;  // forced blank while loading
#ifdef BLOCKS
  unpack(bgPalette, kPaletteRam);
  unpack(bgTiles, kVram);
  for (int n = 0; n < 2; ++n) unpack(kLayers[n].map, screenBlocks(n));
#else
  copy(bgPalette, kPaletteRam);
  copy(bgTiles, kVram);
  for (int n = 0; n < 2; ++n) {
    const Layer& layer = kLayers[n];
    for (int y = 0; y < layer.height; ++y) {
      for (int x = 0; x < layer.width; ++x) {
        screenBlocks(n)[(x / 32) * kBlockEntries + y * 32 + x % 32] = layer.map[y * layer.width + x];
      }
    }
  }
#endif
  for (int n = 0; n < 2; ++n) reg(0x04000008 + 2 * n) = static_cast<u16>((3 - n) | (28 + 2 * n) << 8 | 1 << 14);
  reg(0x04000000) = 0x0300;  // mode 0, backgrounds 0 and 1
  for (;;) {
  }
}
