#pragma once

#include <string>

#include "render/draw_stats.h"
#include "render/gl/bitmap_font.h"
#include "render/gl/builtin_textures.h"
#include "render/gl/gl_texture_uploader.h"
#include "render/map/map_view_renderer.h"
#include "render/tile/tile_view_renderer.h"

namespace qarto {

struct FrameInput;
struct GlyphSet;

// The GL side of the map view: set-up and tear-down of what lives in the
// context (font lists, built-in textures, composed layers), the tile-page
// uploads, and the paint of one frame, map or tile view as the engine's
// state says. It reads everything through const references and writes
// nothing of the model. Every call needs the context current.
class Renderer {
 public:
  Renderer();
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Builds the font lists from `glyphs` and uploads the built-in textures.
  // False (with the message to show) when an icon texture was refused;
  // drawing still works without it.
  bool setUp(const GlyphSet& glyphs, std::string& message);
  // Deletes what setUp and the frames made. The tile-page textures belong
  // to the uploader and go with their tilesets.
  void tearDown();

  // Clears to the view's background colour, enables blending and draws.
  void paint(const FrameInput& input);
  // Draws only `rect` of a map frame (scissored), for a presentation that
  // keeps the rest of the last frame; see FrameDamage for when that is
  // exact. Whole zooms only.
  void paintPart(const FrameInput& input, const WindowRect& rect);

  GlTextureUploader& uploader() { return uploader_; }
  const BuiltinTextures& builtins() const { return builtins_; }
  const BitmapFont& font() const { return font_; }
  void setLayerPath(LayerPath path) { map_.setLayerPath(path); }
  const DrawStats& stats() const { return stats_; }

 private:
  GlTextureUploader uploader_;
  BitmapFont font_;
  BuiltinTextures builtins_;
  MapViewRenderer map_;
  TileViewRenderer tile_;
  DrawStats stats_;
};

}  // namespace qarto
