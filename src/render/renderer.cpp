#include "render/renderer.h"

#include "edit/state/engine_state.h"
#include "render/frame_input.h"
#include "render/gl/gl_api.h"

namespace qarto {

Renderer::Renderer() : map_(font_, builtins_), tile_(font_) {}

Renderer::~Renderer() = default;

bool Renderer::setUp(const GlyphSet& glyphs, std::string& message) {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  font_.build(glyphs);
  if (!builtins_.upload()) {
    message = kIconTexturesFailedMessage;
    return false;
  }
  return true;
}

void Renderer::tearDown() {
  map_.release();
  builtins_.release();
  font_.release();
}

void Renderer::paint(const FrameInput& input) {
  stats_ = {};
  const ViewState& view = input.state->view;
  glClearColor(view.clearColor[0], view.clearColor[1], view.clearColor[2], view.clearColor[3]);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glLineWidth(1.0f);
  if (view.clientWidth <= 0 || view.clientHeight <= 0) return;
  if (view.tileViewShown) {
    tile_.draw(input, stats_);
  } else {
    map_.draw(input, stats_);
  }
  glFlush();
}

void Renderer::paintPart(const FrameInput& input, const WindowRect& rect) {
  const ViewState& view = input.state->view;
  const WindowRect clip = rect.intersected({0, 0, view.clientWidth, view.clientHeight});
  if (clip.empty() || view.tileViewShown) return;
  stats_ = {};
  glEnable(GL_SCISSOR_TEST);
  // GL counts rows from the bottom.
  glScissor(clip.x0, view.clientHeight - clip.y1, clip.width(), clip.height());
  glClearColor(view.clearColor[0], view.clearColor[1], view.clearColor[2], view.clearColor[3]);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glLineWidth(1.0f);
  map_.draw(input, stats_, &clip);
  glDisable(GL_SCISSOR_TEST);
  glFlush();
}

}  // namespace qarto
