#include "render/gl/gl_texture_uploader.h"

#include "render/gl/gl_api.h"
#include "render/gl/gl_texture.h"

namespace qarto {

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
  const std::uint32_t name = createTexture(width, height, rgba);
  if (name != 0) {
    textureName = name;
    live_.insert(name);
  }
  done();
  return name != 0;
}

void GlTextureUploader::release(std::uint32_t textureName) {
  if (live_.erase(textureName) == 0) return;
  acquire();
  deleteTexture(textureName);
  done();
}

}  // namespace qarto
