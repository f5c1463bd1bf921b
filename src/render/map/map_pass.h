#pragma once

#include "render/layers/layer_view.h"

namespace qarto {

struct DrawStats;
struct EngineState;
struct FrameInput;
class BitmapFont;
class BuiltinTextures;
class MapProject;
class TilesetRegistry;
struct ViewColors;

// What every pass of one map frame shares.
struct MapPass {
  const FrameInput& input;
  const EngineState& state;
  const MapProject& project;
  const TilesetRegistry& registry;
  const ViewColors& colors;
  const BuiltinTextures& builtins;
  DrawStats& stats;
  float zoom = 1.0f;
  int originX = 0;
  int originY = 0;
  int windowWidth = 0;
  int windowHeight = 0;

  LayerView viewOf(const MapLayer& layer) const;
};

}  // namespace qarto
