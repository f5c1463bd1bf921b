#include "viewer_views.h"

#include <algorithm>
#include <cmath>

#include "model/map_project.h"

namespace qarto::gba {
namespace {

// The furthest a layer can scroll on one axis and still fill the screen.
int maxScroll(int cells, int screen) { return std::max(0, cells * 8 - screen); }

int layerScroll(int camera, float parallax, int cells, int screen) {
  const int wanted = static_cast<int>(std::floor(static_cast<double>(camera) * parallax));
  return std::clamp(wanted, 0, maxScroll(cells, screen));
}

// A screen apart from 0 to the primary layer's far edge, then the camera
// positions at which each slower or faster layer reaches its own far edge.
std::vector<int> cameraStops(const std::vector<int>& layerMax, const std::vector<float>& parallax, int primaryMax,
                             int screen) {
  std::vector<int> stops;
  for (int c = 0; c < primaryMax; c += screen) stops.push_back(c);
  stops.push_back(primaryMax);
  for (std::size_t i = 0; i < layerMax.size(); ++i) {
    if (parallax[i] <= 0.0f) continue;
    const int reach = static_cast<int>(std::ceil(layerMax[i] / static_cast<double>(parallax[i])));
    if (reach > stops.back()) stops.push_back(reach);
  }
  std::sort(stops.begin(), stops.end());
  stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
  return stops;
}

}  // namespace

std::vector<const MapLayer*> tileLayers(const MapProject& project) {
  std::vector<const MapLayer*> layers;
  for (const auto& layer : project.layers()) {
    if (isTileLayerKind(layer->kind)) layers.push_back(layer.get());
  }
  return layers;
}

std::vector<ViewerView> coveringViews(const std::vector<const MapLayer*>& layers) {
  if (layers.empty()) return {};
  const auto primary = std::find_if(layers.begin(), layers.end(),
                                    [](const MapLayer* layer) { return layer->kind == LayerKind::Primary; });
  const MapLayer& reference = primary != layers.end() ? **primary : *layers.front();

  std::vector<int> maxX, maxY;
  std::vector<float> parallaxX, parallaxY;
  for (const MapLayer* layer : layers) {
    maxX.push_back(maxScroll(layer->width, kScreenWidth));
    maxY.push_back(maxScroll(layer->height, kScreenHeight));
    parallaxX.push_back(layer->parallaxX);
    parallaxY.push_back(layer->parallaxY);
  }
  const std::vector<int> stopsX = cameraStops(maxX, parallaxX, maxScroll(reference.width, kScreenWidth), kScreenWidth);
  const std::vector<int> stopsY =
      cameraStops(maxY, parallaxY, maxScroll(reference.height, kScreenHeight), kScreenHeight);

  std::vector<ViewerView> views;
  for (int cameraY : stopsY) {
    for (int cameraX : stopsX) {
      ViewerView view;
      for (const MapLayer* layer : layers) {
        view.push_back({layerScroll(cameraX, layer->parallaxX, layer->width, kScreenWidth),
                        layerScroll(cameraY, layer->parallaxY, layer->height, kScreenHeight)});
      }
      views.push_back(view);
    }
  }
  return views;
}

}  // namespace qarto::gba
