#include "render/tile/tab_strip.h"

#include <string>

#include "edit/state/engine_state.h"
#include "edit/tile_view/tile_view_layout.h"
#include "model/project/editor_session.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"
#include "render/frame_input.h"
#include "render/gl/bitmap_font.h"
#include "render/gl/gl_api.h"
#include "render/gl/gl_draw.h"

namespace qarto {

namespace {

// A raised edge: light on the top and left, shade on the right and bottom,
// one pixel wide, around [x0, x1) x [y0, y1).
void raisedEdge(float x0, float y0, float x1, float y1, const ViewColor& light, const ViewColor& shade) {
  setColor(light);
  fillRect(x0, y0, x1 - 1, y0 + 1);
  fillRect(x0, y0 + 1, x0 + 1, y1 - 1);
  setColor(shade);
  fillRect(x0, y1 - 1, x1, y1);
  fillRect(x1 - 1, y0, x1, y1 - 1);
}

}  // namespace

void drawTabStrip(const FrameInput& input, const BitmapFont& font) {
  const EngineState& state = *input.state;
  const ViewColors& colors = *input.colors;
  const PanelColors& panel = input.panel;
  const auto width = static_cast<float>(state.view.clientWidth);
  const float anchorX = width * 0.5f;
  const float anchorY = static_cast<float>(state.view.clientHeight) * 0.5f;

  blendReplace();
  glDisable(GL_TEXTURE_2D);
  // The panel, rows 0 to 32: two edges, the outer darker than the inner.
  setColor(panel.face);
  fillRect(0.0f, 0.0f, width, static_cast<float>(kTabStripHeight));
  raisedEdge(0.0f, 0.0f, width, static_cast<float>(kTabStripHeight), panel.highlight, panel.darkShadow);
  raisedEdge(1.0f, 1.0f, width - 1.0f, static_cast<float>(kTabStripHeight) - 1.0f, panel.light, panel.shadow);

  const TileViewState& hover = state.tileView;
  const std::int32_t current = state.project().currentTilesetId;
  int x = 0;
  for (const auto& [id, page] : state.session.registry()) {
    std::string label = page->displayName;
    if (page->hasCollisionSet) label += "*";
    const bool overThis = input.showCursor && hover.overTab && hover.tabTilesetId == id;
    setColor(panel.shadow);
    font.drawText(static_cast<float>(x + 6), 20.0f, label, anchorX, anchorY);
    setColor(id == current ? colors.tilesetActive : overThis ? colors.tilesetFocus : colors.tilesetInactive);
    font.drawText(static_cast<float>(x + 7), 19.0f, label, anchorX, anchorY);
    const int start = x;
    x += page->labelWidth + kTabSpacing;
    if (overThis) raisedEdge(static_cast<float>(start + 3), 2.0f, static_cast<float>(x + 1), 28.0f, panel.highlight, panel.shadow);
    setColor(panel.highlight);
    fillRect(static_cast<float>(x), 5.0f, static_cast<float>(x + 1), 27.0f);
    setColor(panel.shadow);
    fillRect(static_cast<float>(x + 1), 5.0f, static_cast<float>(x + 2), 27.0f);
  }
}

}  // namespace qarto
