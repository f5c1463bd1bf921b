#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "render/layers/layer_composer.h"

namespace qarto {

struct DrawStats;
class MapProject;

// One layer of a composed run, as it is drawn this frame.
struct RunLayer {
  const MapLayer* layer = nullptr;
  LayerView view;
  const HiddenCells* hidden = nullptr;
};

// Layers drawn from window-sized textures composed on the CPU. A run of
// layers that lie directly on top of each other, all opaque (their pixels
// either replace what is below or leave it), shares one texture: each
// window pixel holds the topmost layer's pixel that shows, which is what
// drawing them one by one with the alpha test gives. After a change of
// view the part of the window the run covers is composed and uploaded,
// otherwise only the cells that changed. Drawing a run is then one quad,
// whatever the zoom and however many layers it holds.
class ComposedLayers {
 public:
  ComposedLayers() = default;
  ComposedLayers(const ComposedLayers&) = delete;
  ComposedLayers& operator=(const ComposedLayers&) = delete;
  ~ComposedLayers();

  // Brings the run's texture up to date and draws it with the current
  // colour and blending; the first layer is the bottom one. False when no
  // texture of the window's size can be made (the caller then draws the
  // cells one by one).
  bool draw(const std::vector<RunLayer>& run, const PageCache& pages, DrawStats& stats);

  // After a frame: the textures of runs that were not drawn go, and the
  // composers of layers that left the project.
  void endFrame(const MapProject& project);
  // Deletes every texture; with the context current.
  void release();

 private:
  struct RunTexture {
    std::vector<const MapLayer*> layers;  // what the texture holds, bottom first
    std::uint32_t texture = 0;
    int width = 0;  // window size of the picture
    int height = 0;
    int textureWidth = 0;
    int textureHeight = 0;
    bool drawn = false;  // this frame
  };
  bool ensureTexture(RunTexture& run, int width, int height);
  void upload(const std::vector<RunLayer>& run, const PageCache& pages, const LayerComposer::Rect& rect);

  // Runs by their bottom layer; composers by layer.
  std::map<const MapLayer*, std::unique_ptr<RunTexture>> runs_;
  std::map<const MapLayer*, std::unique_ptr<LayerComposer>> composers_;
  std::vector<LayerComposer::Rect> changed_;
  std::vector<std::uint32_t> band_;   // composed rows on their way to the texture
  std::vector<std::uint32_t> layer_;  // one layer's share of them
  bool anySizeKnown_ = false;  // asked once per context
  bool anySize_ = false;
};

}  // namespace qarto
