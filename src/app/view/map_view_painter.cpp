#include "app/view/map_view_painter.h"

#include "app/view/view_tileset_host.h"
#include "edit/engine/map_view_engine.h"
#include "edit/tools/stroke_plan.h"
#include "model/platform_services.h"
#include "render/frame_input.h"
#include "render/gl/gl_api.h"
#include "render/renderer.h"

namespace qarto {

MapViewPainter::MapViewPainter(const ViewContext& context) : context_(context) { reloadColors(); }

MapViewPainter::~MapViewPainter() = default;

void MapViewPainter::reloadColors() {
  colors_ = loadViewColors(context_.settings);
  damage_.reset();
}

void MapViewPainter::setUp(std::function<void()> acquire, std::function<void()> release) {
  renderer_ = std::make_unique<Renderer>();
  std::string message;
  if (!renderer_->setUp(context_.host.glyphs(), message) && !iconMessageShown_) {
    iconMessageShown_ = true;
    context_.services.messageBox(message, "Error", MessageButtons::Ok, MessageIcon::Stop);
  }
  renderer_->uploader().setContextHooks(std::move(acquire), std::move(release));
  context_.host.viewUploader().attach(renderer_->uploader(), context_.engine.session().registry());
}

void MapViewPainter::tearDown() {
  if (renderer_ == nullptr) return;
  context_.host.viewUploader().detach(context_.engine.session().registry());
  renderer_->tearDown();
  renderer_.reset();
  damage_.reset();
}

void MapViewPainter::paint() { draw(false); }

FrameDamage MapViewPainter::paintChanges() { return draw(true); }

FrameDamage MapViewPainter::draw(bool keepsPicture) {
  if (renderer_ == nullptr) return {};
  MapViewEngine& engine = context_.engine;
  if (held_) {
    const auto& clear = engine.state().view.clearColor;
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glClear(GL_COLOR_BUFFER_BIT);
    return {};
  }
  const std::vector<FlagIcon> flags = predefinedFlagIcons();
  FrameInput input;
  input.state = &engine.state();
  input.colors = &colors_;
  input.flagIcons = flags;
  input.showFlags = engine.state().view.showFlags;
  StrokePlan plan;
  if (engine.state().view.mouseInside && !engine.state().view.tileViewShown) attachPreview(engine, plan, input);
  FrameDamage damage = keepsPicture ? damage_.next(input) : FrameDamage{};
  if (damage.full) {
    renderer_->paint(input);
  } else {
    for (const WindowRect& rect : damage.rects) renderer_->paintPart(input, rect);
  }
  return damage;
}

void MapViewPainter::dropProject() { context_.engine.project().resetProject(true); }

}  // namespace qarto
