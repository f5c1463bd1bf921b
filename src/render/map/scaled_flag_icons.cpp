#include "render/map/scaled_flag_icons.h"

#include <cstring>

#include "render/gl/gl_api.h"
#include "render/gl/gl_texture.h"

namespace qarto {

std::vector<std::uint8_t> scaledFlagIconPixels(int icon, int side) {
  const std::vector<std::uint8_t> source = flagIconPixels(icon);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 4);
  // Pixel p's centre p + 1/2 lies over texel (2p + 1) * 32 / (2 * side).
  const auto texel = [side](int p) { return (2 * p + 1) * kFlagIconSide / (2 * side); };
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const std::size_t from =
          (static_cast<std::size_t>(texel(y)) * kFlagIconSide + static_cast<std::size_t>(texel(x))) * 4;
      std::memcpy(&out[(static_cast<std::size_t>(y) * side + static_cast<std::size_t>(x)) * 4], &source[from], 4);
    }
  }
  return out;
}

std::uint32_t ScaledFlagIcons::texture(int icon, int side, float& extent) {
  if (icon < 0 || icon >= kFlagIconCount || side <= 0) return 0;
  if (side != side_) {
    release();
    side_ = side;
    textureSide_ = 1;  // a power of two: OpenGL 1.1 takes no other sizes
    while (textureSide_ < side) textureSide_ *= 2;
  }
  extent = static_cast<float>(side_) / static_cast<float>(textureSide_);
  const auto i = static_cast<std::size_t>(icon);
  if (tried_[i]) return names_[i];
  tried_[i] = true;
  std::uint32_t name = createTexture(textureSide_, textureSide_, nullptr);
  if (name == 0) return 0;
  glBindTexture(GL_TEXTURE_2D, name);
  const std::vector<std::uint8_t> pixels = scaledFlagIconPixels(icon, side_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, side_, side_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  if (glGetError() != GL_NO_ERROR) deleteTexture(name);
  names_[i] = name;
  return name;
}

void ScaledFlagIcons::release() {
  for (std::uint32_t& name : names_) deleteTexture(name);
  tried_.fill(false);
  side_ = 0;
}

}  // namespace qarto
