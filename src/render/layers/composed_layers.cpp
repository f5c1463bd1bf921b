#include "render/layers/composed_layers.h"

#include <cstring>

#include "model/map_project.h"
#include "render/draw_stats.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/gl/gl_texture_uploader.h"

namespace qarto {

namespace {

int powerOfTwoAtLeast(int value) {
  int side = 1;
  while (side < value && side < (1 << 30)) side <<= 1;
  return side;
}

// Textures of any size came with OpenGL 2.0; before it, the next powers of
// two (up to four times the memory).
bool anySizeTextures() {
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version != nullptr && version[0] >= '2' && version[0] <= '9') return true;
  const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions != nullptr && std::strstr(extensions, "GL_ARB_texture_non_power_of_two") != nullptr;
}

void deleteTexture(std::uint32_t& name) {
  if (name != 0) {
    const GLuint n = name;
    glDeleteTextures(1, &n);
  }
  name = 0;
}

}  // namespace

ComposedLayers::~ComposedLayers() = default;

bool ComposedLayers::ensureTexture(Entry& entry, int width, int height) {
  if (!anySizeKnown_) {
    anySize_ = anySizeTextures();
    anySizeKnown_ = true;
  }
  const int textureWidth = anySize_ ? width : powerOfTwoAtLeast(width);
  const int textureHeight = anySize_ ? height : powerOfTwoAtLeast(height);
  if (entry.texture != 0 && entry.textureWidth == textureWidth && entry.textureHeight == textureHeight) return true;
  deleteTexture(entry.texture);
  if (!proxyAccepts(textureWidth, textureHeight, GL_RGBA)) return false;
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &name);
    return false;
  }
  entry.texture = name;
  entry.textureWidth = textureWidth;
  entry.textureHeight = textureHeight;
  return true;
}

bool ComposedLayers::draw(const MapLayer& layer, const LayerView& view, const PageCache& pages,
                          const HiddenCells& hidden, DrawStats& stats) {
  std::unique_ptr<Entry>& slot = entries_[&layer];
  if (!slot) slot = std::make_unique<Entry>();
  Entry& entry = *slot;
  if (!ensureTexture(entry, view.windowWidth, view.windowHeight)) {
    entries_.erase(&layer);
    return false;
  }
  glBindTexture(GL_TEXTURE_2D, entry.texture);
  entry.composer.update(layer, view, pages, hidden, [](const LayerComposer::Rect& rect, const std::uint32_t* pixels) {
    glTexSubImage2D(GL_TEXTURE_2D, 0, rect.x0, rect.y0, rect.x1 - rect.x0, rect.y1 - rect.y0, GL_RGBA,
                    GL_UNSIGNED_BYTE, pixels);
  });
  stats.composedPixels += static_cast<int>(entry.composer.composedPixels());

  // One texel per window pixel, over the window rectangle the layer covers.
  const LayerComposer::Rect& b = entry.composer.bounds();
  if (b.x1 > b.x0 && b.y1 > b.y0) {
    const float sw = 1.0f / static_cast<float>(entry.textureWidth);
    const float th = 1.0f / static_cast<float>(entry.textureHeight);
    const auto ox = static_cast<float>(view.originX);
    const auto oy = static_cast<float>(view.originY);
    glBegin(GL_QUADS);
    texturedQuad(static_cast<float>(b.x0) - ox, static_cast<float>(b.y0) - oy, static_cast<float>(b.x1) - ox,
                 static_cast<float>(b.y1) - oy, static_cast<float>(b.x0) * sw, static_cast<float>(b.y0) * th,
                 static_cast<float>(b.x1) * sw, static_cast<float>(b.y1) * th);
    glEnd();
  }
  ++stats.composedLayers;
  return true;
}

void ComposedLayers::prune(const MapProject& project) {
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (project.contains(it->first)) {
      ++it;
    } else {
      deleteTexture(it->second->texture);
      it = entries_.erase(it);
    }
  }
}

void ComposedLayers::release() {
  for (auto& [layer, entry] : entries_) deleteTexture(entry->texture);
  entries_.clear();
  anySizeKnown_ = false;
}

}  // namespace qarto
