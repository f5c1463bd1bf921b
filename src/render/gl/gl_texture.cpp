#include "render/gl/gl_texture.h"

#include "render/gl/gl_api.h"

namespace qarto {

namespace {

void clearErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}

}  // namespace

bool proxyAccepts(int width, int height, unsigned int internalFormat) {
  if (width <= 0 || height <= 0) return false;
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  if (width > maxSide || height > maxSide) return false;
  glTexImage2D(GL_PROXY_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               nullptr);
  GLint proxyWidth = 0;
  glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &proxyWidth);
  clearErrors();
  return proxyWidth != 0;
}

std::uint32_t createTexture(int width, int height, const std::uint8_t* rgba, TextureEdges edges) {
  if (!proxyAccepts(width, height, GL_RGBA)) return 0;
  clearErrors();
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  const GLint wrap = edges == TextureEdges::Clamp ? GL_CLAMP : GL_REPEAT;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  const bool ok = name != 0 && glGetError() == GL_NO_ERROR;
  glBindTexture(GL_TEXTURE_2D, 0);
  std::uint32_t made = name;
  if (!ok) deleteTexture(made);
  return made;
}

void deleteTexture(std::uint32_t& name) {
  if (name != 0) {
    const GLuint n = name;
    glDeleteTextures(1, &n);
  }
  name = 0;
}

}  // namespace qarto
