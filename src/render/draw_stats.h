#pragma once

namespace qarto {

// What the last frame drew, for tests that bound the work by what is
// visible (counts, never times).
struct DrawStats {
  int cellQuads = 0;        // textured cell quads of the cell-by-cell path
  int composedLayers = 0;   // layers drawn from a composed window texture
  int composedRuns = 0;     // composed textures drawn (a run of opaque layers shares one)
  int composedPixels = 0;   // window pixels recomposed on the CPU this frame
  int textureBinds = 0;     // page binds of the cell path
  int previewQuads = 0;
  int flagQuads = 0;
  int entityQuads = 0;
};

}  // namespace qarto
