#include "model/project/map_layer.h"

#include <algorithm>
#include <cstring>

namespace qarto {

std::string MapLayer::nameText() const { return std::string(name.data(), strnlen(name.data(), name.size())); }

void MapLayer::setName(const std::string& text) {
  name.fill('\0');
  std::size_t count = std::min(text.size(), name.size() - 1);
  std::memcpy(name.data(), text.data(), count);
}

const char* layerKindName(LayerKind kind) {
  switch (kind) {
    case LayerKind::Primary: return "Primary";
    case LayerKind::Collision: return "Collision";
    case LayerKind::Secondary: return "Secondary";
    case LayerKind::Entity: return "Entity";
  }
  return "";
}

bool isTileLayerKind(LayerKind kind) { return kind == LayerKind::Primary || kind == LayerKind::Secondary; }

}  // namespace qarto
