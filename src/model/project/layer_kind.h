#pragma once

#include <cstdint>

namespace qarto {

// Stored as a 32-bit signed integer in the layer header.
enum class LayerKind : std::int32_t { Primary = 0, Collision = 1, Secondary = 2, Entity = 3 };

// "Primary", "Collision", "Secondary", "Entity".
const char* layerKindName(LayerKind kind);
bool isTileLayerKind(LayerKind kind);  // Primary or Secondary

}  // namespace qarto
