#include "viewer_views.h"

#include <algorithm>

#include "model/project/map_project.h"

namespace qarto::gba {

std::vector<const MapLayer*> tileLayers(const MapProject& project) {
  std::vector<const MapLayer*> layers;
  for (const auto& layer : project.layers()) {
    if (isTileLayerKind(layer->kind)) layers.push_back(layer.get());
  }
  return layers;
}

std::vector<ViewerView> coveringViews(const std::vector<const MapLayer*>& layers) {
  // The furthest a layer can scroll and still fill the screen.
  auto maxScroll = [](int cells, int screen) { return std::max(0, cells * 8 - screen); };
  int farX = 0, farY = 0;
  for (const MapLayer* layer : layers) {
    farX = std::max(farX, maxScroll(layer->width, kScreenWidth));
    farY = std::max(farY, maxScroll(layer->height, kScreenHeight));
  }
  std::vector<ViewerView> views;
  for (int y = 0;; y = std::min(y + kScreenHeight, farY)) {
    for (int x = 0;; x = std::min(x + kScreenWidth, farX)) {
      ViewerView view;
      for (const MapLayer* layer : layers) {
        view.push_back(
            {std::min(x, maxScroll(layer->width, kScreenWidth)), std::min(y, maxScroll(layer->height, kScreenHeight))});
      }
      views.push_back(view);
      if (x == farX) break;
    }
    if (y == farY) break;
  }
  return views;
}

}  // namespace qarto::gba
