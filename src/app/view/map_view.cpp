#include "app/view/map_view.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>
#include <cmath>

#include "app/view/view_tileset_host.h"
#include "edit/engine/map_view_engine.h"
#include "edit/tools/stroke_plan.h"
#include "model/platform_services.h"
#include "render/frame_input.h"
#include "render/renderer.h"

namespace qarto {

QSurfaceFormat CMapView::surfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(2, 1);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  format.setDepthBufferSize(0);
  format.setStencilBufferSize(0);
  return format;
}

CMapView::CMapView(const ViewContext& context, QWidget* parent) : QOpenGLWidget(parent), context_(context) {
  setFormat(surfaceFormat());
  setMinimumSize(64, 64);
  reloadColors();
}

CMapView::~CMapView() { shutDown(); }

void CMapView::reloadColors() {
  colors_ = loadViewColors(context_.settings);
  update();
}

void CMapView::holdDrawing(bool hold) {
  held_ = hold;
  update();
}

void CMapView::initializeGL() {
  // A fresh context (the first or a recreated one): the renderer's lists
  // and textures, then every page again.
  renderer_ = std::make_unique<Renderer>();
  std::string message;
  if (!renderer_->setUp(context_.host.glyphs(), message) && !iconMessageShown_) {
    iconMessageShown_ = true;
    context_.services.messageBox(message, "Error", MessageButtons::Ok, MessageIcon::Stop);
  }
  renderer_->uploader().setContextHooks([this] { acquireContext(); }, [this] { releaseContext(); });
  context_.host.viewUploader().attach(renderer_->uploader(), context_.engine.session().registry());
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CMapView::contextAboutToGo, Qt::UniqueConnection);
}

void CMapView::resizeGL(int width, int height) {
  // Qt passes the size in device-independent pixels; the engine and the
  // renderer work in device pixels.
  const double scale = devicePixelRatioF();
  context_.engine.resize(static_cast<int>(std::lround(width * scale)), static_cast<int>(std::lround(height * scale)));
}

void CMapView::paintGL() {
  if (renderer_ == nullptr) return;
  MapViewEngine& engine = context_.engine;
  if (held_) {
    const auto& clear = engine.state().view.clearColor;
    QOpenGLFunctions* gl = context()->functions();
    gl->glClearColor(clear[0], clear[1], clear[2], clear[3]);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    return;
  }
  const std::vector<FlagIcon> flags = predefinedFlagIcons();
  FrameInput input;
  input.state = &engine.state();
  input.colors = &colors_;
  input.flagIcons = flags;
  input.showFlags = engine.state().view.showFlags;
  StrokePlan plan;
  if (engine.state().view.mouseInside && !engine.state().view.tileViewShown) attachPreview(engine, plan, input);
  renderer_->paint(input);
}

void CMapView::acquireContext() {
  if (contextDepth_++ > 0) return;
  // Inside a paint or set-up the context is already current.
  madeCurrent_ = QOpenGLContext::currentContext() != context();
  if (madeCurrent_) makeCurrent();
}

void CMapView::releaseContext() {
  if (--contextDepth_ > 0) return;
  if (madeCurrent_) doneCurrent();
  madeCurrent_ = false;
}

void CMapView::contextAboutToGo() {
  if (renderer_ == nullptr) return;
  makeCurrent();
  context_.host.viewUploader().detach(context_.engine.session().registry());
  renderer_->tearDown();
  renderer_.reset();
  doneCurrent();
}

void CMapView::shutDown() {
  // The project goes first, its textures with it, while they can still be
  // deleted; then the context's own objects.
  if (renderer_ != nullptr) makeCurrent();
  context_.engine.project().resetProject(true);
  if (renderer_ != nullptr) doneCurrent();
  contextAboutToGo();
}

}  // namespace qarto
