#pragma once

#include "render/layers/layer_view.h"
#include "render/window_rect.h"

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
  // Set when only this part of the window is drawn: what culls by the
  // window culls by it instead (the scissor does the rest).
  const WindowRect* clip = nullptr;

  LayerView viewOf(const MapLayer& layer) const;
};

}  // namespace qarto
