#include "render/layers/composed_layers.h"

#include <algorithm>
#include <cstring>

#include "model/project/map_project.h"
#include "render/draw_stats.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/gl/gl_texture.h"

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

}  // namespace

ComposedLayers::~ComposedLayers() = default;

bool ComposedLayers::ensureTexture(RunTexture& run, int width, int height) {
  if (!anySizeKnown_) {
    anySize_ = anySizeTextures();
    anySizeKnown_ = true;
  }
  const int textureWidth = anySize_ ? width : powerOfTwoAtLeast(width);
  const int textureHeight = anySize_ ? height : powerOfTwoAtLeast(height);
  if (run.texture != 0 && run.textureWidth == textureWidth && run.textureHeight == textureHeight) return true;
  deleteTexture(run.texture);
  const std::uint32_t name = createTexture(textureWidth, textureHeight, nullptr);
  if (name == 0) return false;
  run.texture = name;
  run.textureWidth = textureWidth;
  run.textureHeight = textureHeight;
  return true;
}

// Composes `rect` through the run, bottom layer first, a band of rows at a
// time, and uploads it.
void ComposedLayers::upload(const std::vector<RunLayer>& run, const PageCache& pages, const LayerComposer::Rect& rect) {
  const int width = rect.x1 - rect.x0;
  if (width <= 0 || rect.y1 <= rect.y0) return;
  const int bandRows = std::clamp(16384 / width, 1, rect.y1 - rect.y0);  // about 64 KB
  const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(bandRows);
  band_.resize(size);
  if (run.size() > 1) layer_.resize(size);
  for (int top = rect.y0; top < rect.y1; top += bandRows) {
    const LayerComposer::Rect band{rect.x0, top, rect.x1, std::min(rect.y1, top + bandRows)};
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(band.y1 - band.y0);
    for (std::size_t i = 0; i < run.size(); ++i) {
      const LayerComposer& composer = *composers_.at(run[i].layer);
      if (i == 0) {
        composer.compose(pages, band, band_.data());
        continue;
      }
      // A pixel that shows (alpha above zero) replaces what lies below.
      composer.compose(pages, band, layer_.data());
      for (std::size_t p = 0; p < count; ++p) {
        if ((layer_[p] >> 24) != 0) band_[p] = layer_[p];
      }
    }
    glTexSubImage2D(GL_TEXTURE_2D, 0, band.x0, band.y0, width, band.y1 - band.y0, GL_RGBA, GL_UNSIGNED_BYTE,
                    band_.data());
  }
}

bool ComposedLayers::draw(const std::vector<RunLayer>& run, const PageCache& pages, DrawStats& stats) {
  if (run.empty()) return true;
  const LayerView& view = run.front().view;
  std::unique_ptr<RunTexture>& slot = runs_[run.front().layer];
  if (!slot) slot = std::make_unique<RunTexture>();
  RunTexture& texture = *slot;
  if (!ensureTexture(texture, view.windowWidth, view.windowHeight)) {
    runs_.erase(run.front().layer);
    return false;
  }
  texture.drawn = true;

  // What changed since the texture was last brought up to date.
  bool full =
      texture.width != view.windowWidth || texture.height != view.windowHeight || texture.layers.size() != run.size();
  for (std::size_t i = 0; i < run.size() && !full; ++i) full = texture.layers[i] != run[i].layer;
  changed_.clear();
  LayerComposer::Rect bounds{view.windowWidth, view.windowHeight, 0, 0};
  for (const RunLayer& member : run) {
    std::unique_ptr<LayerComposer>& composer = composers_[member.layer];
    if (!composer) composer = std::make_unique<LayerComposer>();
    if (composer->refresh(*member.layer, member.view, pages, *member.hidden, changed_)) full = true;
    const LayerComposer::Rect& b = composer->bounds();
    if (b.x1 > b.x0 && b.y1 > b.y0) {
      bounds = {std::min(bounds.x0, b.x0), std::min(bounds.y0, b.y0), std::max(bounds.x1, b.x1),
                std::max(bounds.y1, b.y1)};
    }
  }
  const bool covers = bounds.x1 > bounds.x0 && bounds.y1 > bounds.y0;
  if (full) {
    texture.layers.clear();
    for (const RunLayer& member : run) texture.layers.push_back(member.layer);
    texture.width = view.windowWidth;
    texture.height = view.windowHeight;
    changed_.clear();
    // Only what the run covers is drawn from the texture: the rest of it is never read.
    if (covers) changed_.push_back(bounds);
  }

  glBindTexture(GL_TEXTURE_2D, texture.texture);
  for (const LayerComposer::Rect& rect : changed_) {
    upload(run, pages, rect);
    stats.composedPixels += (rect.x1 - rect.x0) * (rect.y1 - rect.y0);
  }

  // One texel per window pixel, over the window rectangle the run covers.
  if (covers) {
    const float sw = 1.0f / static_cast<float>(texture.textureWidth);
    const float th = 1.0f / static_cast<float>(texture.textureHeight);
    const auto ox = static_cast<float>(view.originX);
    const auto oy = static_cast<float>(view.originY);
    glBegin(GL_QUADS);
    texturedQuad(static_cast<float>(bounds.x0) - ox, static_cast<float>(bounds.y0) - oy,
                 static_cast<float>(bounds.x1) - ox, static_cast<float>(bounds.y1) - oy,
                 static_cast<float>(bounds.x0) * sw, static_cast<float>(bounds.y0) * th,
                 static_cast<float>(bounds.x1) * sw, static_cast<float>(bounds.y1) * th);
    glEnd();
  }
  stats.composedLayers += static_cast<int>(run.size());
  ++stats.composedRuns;
  return true;
}

void ComposedLayers::endFrame(const MapProject& project) {
  for (auto it = runs_.begin(); it != runs_.end();) {
    if (it->second->drawn) {
      it->second->drawn = false;
      ++it;
    } else {
      deleteTexture(it->second->texture);
      it = runs_.erase(it);
    }
  }
  for (auto it = composers_.begin(); it != composers_.end();) {
    it = project.contains(it->first) ? std::next(it) : composers_.erase(it);
  }
}

void ComposedLayers::release() {
  for (auto& [layer, run] : runs_) deleteTexture(run->texture);
  runs_.clear();
  composers_.clear();
  anySizeKnown_ = false;
}

}  // namespace qarto
