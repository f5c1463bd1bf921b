#pragma once

#include <cstdint>

namespace qarto {

enum class TextureEdges { Clamp, Repeat };

// Whether a texture of this size and format can be made: Mesa answers a
// refused size with width 0 from the proxy (the internal format reads back
// unchanged), so the width and the maximum texture size both decide.
bool proxyAccepts(int width, int height, unsigned int internalFormat);

// A new RGBA texture with nearest filtering, filled from `rgba` (rows from
// the top, no row padding) or left undefined when `rgba` is null. 0 when the
// proxy refuses the size or the GL fails (a size it accepted can still run
// out of memory); nothing is left behind then. Binds no texture afterwards.
// With the context current.
std::uint32_t createTexture(int width, int height, const std::uint8_t* rgba, TextureEdges edges = TextureEdges::Clamp);

// Deletes the texture unless the name is 0, and sets it to 0.
void deleteTexture(std::uint32_t& name);

}  // namespace qarto
