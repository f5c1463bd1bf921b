#include "render/gl/gl_texture_uploader.h"

#include "render/gl/gl_api.h"

namespace qarto {

bool proxyAccepts(int width, int height, unsigned int internalFormat) {
  if (width <= 0 || height <= 0) return false;
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  if (width > maxSide || height > maxSide) return false;
  glTexImage2D(GL_PROXY_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width, height, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, nullptr);
  GLint proxyWidth = 0;
  glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &proxyWidth);
  while (glGetError() != GL_NO_ERROR) {
  }
  return proxyWidth != 0;
}

void GlTextureUploader::setContextHooks(ContextHook acquire, ContextHook release) {
  acquire_ = std::move(acquire);
  release_ = std::move(release);
}

void GlTextureUploader::acquire() const {
  if (acquire_) acquire_();
}

void GlTextureUploader::done() const {
  if (release_) release_();
}

bool GlTextureUploader::isSupported(int width, int height) {
  acquire();
  const bool supported = proxyAccepts(width, height, GL_RGBA);
  done();
  return supported;
}

bool GlTextureUploader::upload(const std::uint8_t* rgba, int width, int height, std::uint32_t& textureName) {
  acquire();
  while (glGetError() != GL_NO_ERROR) {
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  const bool ok = name != 0 && glGetError() == GL_NO_ERROR;
  glBindTexture(GL_TEXTURE_2D, 0);
  if (ok) {
    textureName = name;
    live_.insert(name);
  } else if (name != 0) {
    glDeleteTextures(1, &name);
  }
  done();
  return ok;
}

void GlTextureUploader::release(std::uint32_t textureName) {
  if (live_.erase(textureName) == 0) return;
  acquire();
  const GLuint name = textureName;
  glDeleteTextures(1, &name);
  done();
}

}  // namespace qarto
