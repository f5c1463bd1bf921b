#include "render/map/entity_drawing.h"

#include <utility>

#include "edit/state/engine_state.h"
#include "edit/view/view_geometry.h"
#include "model/byte_order.h"
#include "model/project/map_layer.h"
#include "model/project/map_project.h"
#include "render/art/builtin_art.h"
#include "render/draw_stats.h"
#include "render/frame_input.h"
#include "render/gl/builtin_textures.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"
#include "render/map/entity_sprites.h"
#include "render/map/map_pass.h"

namespace qarto {

std::vector<EntitySlot> entitySlots(const MapLayer& layer) {
  std::vector<EntitySlot> slots;
  if (layer.entities.size() < kEntityBlockSize) return slots;
  for (int i = 0; i < kEntitySlots; ++i) {
    const std::uint8_t* record = &layer.entities[static_cast<std::size_t>(i) * kEntityRecordSize];
    if (record[0] == 0) continue;
    EntitySlot slot;
    slot.slot = i;
    slot.type = loadU16(record + 2);
    slot.facing = static_cast<std::int8_t>(record[4]);
    slot.x = static_cast<std::int32_t>(loadU32(record + 8));
    slot.y = static_cast<std::int32_t>(loadU32(record + 12));
    slots.push_back(slot);
  }
  return slots;
}

void drawEntities(const MapPass& pass, const MapLayer& layer, const EntitySprites& sprites) {
  const std::uint32_t strip = pass.builtins.entityStrip();
  const float zoom = pass.zoom;
  const int ox = truncToInt(static_cast<float>(pass.state.view.scrollX) * layer.parallaxX);
  const int oy = truncToInt(static_cast<float>(pass.state.view.scrollY) * layer.parallaxY);
  const float alpha = layer.alpha ? 0.5f : 1.0f;
  // One map pixel per sprite pixel, as on the console: a 32 x 32 sprite covers 4 x 4 cells.
  const float side = static_cast<float>(kEntitySpriteSide) * zoom;
  for (const EntitySlot& e : entitySlots(layer)) {
    int px = truncToInt(static_cast<float>(e.x) * zoom) - ox;
    int py = truncToInt(static_cast<float>(e.y) * zoom) - oy;
    const bool selected = e.slot == pass.project.selectedEntity;
    if (selected && pass.state.entityDrag.dragging) {
      px += pass.state.view.mouse.x - pass.state.entityDrag.grab.x;
      py += pass.state.view.mouse.y - pass.state.entityDrag.grab.y;
    }
    const auto left = static_cast<float>(truncToInt(static_cast<float>(px) - side / 2.0f));
    const auto top = static_cast<float>(truncToInt(static_cast<float>(py) - side));
    // A catalogue row's own sprite, else the built-in strip's picture of the type.
    const std::uint32_t own = sprites.textureOf(e.type);
    float u0 = own != 0 ? 0.0f : static_cast<float>(e.type % kEntitySprites) / kEntitySprites;
    float u1 = own != 0 ? 1.0f : u0 + 1.0f / kEntitySprites;
    const auto v0 = own != 0 ? 0.0f : static_cast<float>(e.type / kEntitySprites);
    const float v1 = v0 + 1.0f;
    if (e.facing < 0) std::swap(u0, u1);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    const std::uint32_t texture = own != 0 ? own : strip;
    if (texture != 0) {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, texture);
      glBegin(GL_QUADS);
      texturedQuad(left, top, left + side, top + side, u0, v0, u1, v1);
      glEnd();
      ++pass.stats.entityQuads;
    }
    if (selected) {
      glDisable(GL_TEXTURE_2D);
      glColor4f(0.0f, 1.0f, 0.0f, 0.4f);
      fillRect(left, top, left + side, top + side);
      glEnable(GL_TEXTURE_2D);
    }
  }
  glColor4f(1.0f, 1.0f, 1.0f, alpha);
}

}  // namespace qarto
