#include "render/gl/builtin_textures.h"

#include <vector>

#include "render/gl/gl_api.h"
#include "render/gl/gl_texture_uploader.h"

namespace qarto {

std::uint32_t makeRgbaTexture(const std::vector<std::uint8_t>& rgba, int width, int height) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  bool ok = proxyAccepts(width, height, GL_RGBA);
  if (ok) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    ok = glGetError() == GL_NO_ERROR;
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  if (!ok) {
    glDeleteTextures(1, &name);
    return 0;
  }
  return name;
}

bool BuiltinTextures::upload() {
  release();
  bool all = true;
  for (int i = 0; i < kFlagIconCount; ++i) {
    icons_[static_cast<std::size_t>(i)] = makeRgbaTexture(flagIconPixels(i), kFlagIconSide, kFlagIconSide);
    all = all && icons_[static_cast<std::size_t>(i)] != 0;
  }
  entityStrip_ = makeRgbaTexture(entityStripPixels(), kEntitySpriteSide * kEntitySprites, kEntitySpriteSide);
  return all && entityStrip_ != 0;
}

void BuiltinTextures::release() {
  for (std::uint32_t& name : icons_) {
    if (name != 0) {
      const GLuint n = name;
      glDeleteTextures(1, &n);
    }
    name = 0;
  }
  if (entityStrip_ != 0) {
    const GLuint n = entityStrip_;
    glDeleteTextures(1, &n);
  }
  entityStrip_ = 0;
}

std::uint32_t BuiltinTextures::flagIcon(int icon) const {
  if (icon < 0 || icon >= kFlagIconCount) return 0;
  return icons_[static_cast<std::size_t>(icon)];
}

}  // namespace qarto
