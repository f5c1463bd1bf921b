#pragma once

#include <functional>
#include <memory>

#include "app/view/view_surface.h"
#include "model/settings/view_colors.h"
#include "render/map/frame_damage.h"

namespace qarto {

class Renderer;

// What every presentation of the map view does with the renderer: set it
// up in a fresh context (font lists, built-in textures, then every page
// uploaded again from its own pixels), paint the engine's state as one
// frame (the brush preview where the mouse is), and let it go with the
// context. The caller makes the context current around each call.
class MapViewPainter {
 public:
  explicit MapViewPainter(const ViewContext& context);
  ~MapViewPainter();

  // In a new context. `acquire` and `release` make it current around a
  // page upload that happens outside a paint.
  void setUp(std::function<void()> acquire, std::function<void()> release);
  // The context goes: the pages' names are forgotten and the renderer's
  // own objects deleted.
  void tearDown();
  bool ready() const { return renderer_ != nullptr; }

  // One frame of the engine's state; only the background while held.
  void paint();
  // The next frame for a presentation that keeps the last one's picture:
  // drawn whole, or only where it changed (what the damage says).
  FrameDamage paintChanges();
  // The kept picture is gone: the next frame is whole.
  void forgetPicture() { damage_.reset(); }

  void reloadColors();
  void holdDrawing(bool hold) {
    held_ = hold;
    damage_.reset();
  }
  // Empties the project while the textures can still be deleted (the
  // context current when ready).
  void dropProject();

 private:
  FrameDamage draw(bool keepsPicture);

  ViewContext context_;
  ViewColors colors_;
  std::unique_ptr<Renderer> renderer_;
  DamageTracker damage_;
  bool iconMessageShown_ = false;
  bool held_ = false;
};

}  // namespace qarto
