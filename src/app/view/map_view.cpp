#include "app/view/map_view.h"

#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <cmath>

#include "edit/engine/map_view_engine.h"

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

CMapView::CMapView(const ViewContext& context, QWidget* parent)
    : QOpenGLWidget(parent), context_(context), painter_(context) {
  setFormat(surfaceFormat());
  setMinimumSize(64, 64);
}

CMapView::~CMapView() { shutDown(); }

void CMapView::reloadColors() {
  painter_.reloadColors();
  update();
}

void CMapView::holdDrawing(bool hold) {
  painter_.holdDrawing(hold);
  update();
}

void CMapView::initializeGL() {
  // A fresh context (the first or a recreated one).
  painter_.setUp([this] { acquireContext(); }, [this] { releaseContext(); });
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CMapView::contextAboutToGo, Qt::UniqueConnection);
}

void CMapView::resizeGL(int width, int height) {
  // Qt passes the size in device-independent pixels; the engine and the
  // renderer work in device pixels.
  const double scale = devicePixelRatioF();
  context_.engine.resize(static_cast<int>(std::lround(width * scale)), static_cast<int>(std::lround(height * scale)));
}

void CMapView::paintGL() { painter_.paint(); }

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
  if (!painter_.ready()) return;
  makeCurrent();
  painter_.tearDown();
  doneCurrent();
}

void CMapView::shutDown() {
  // The project goes first, its textures with it, while they can still be
  // deleted; then the context's own objects.
  if (painter_.ready()) makeCurrent();
  painter_.dropProject();
  if (painter_.ready()) doneCurrent();
  contextAboutToGo();
}

}  // namespace qarto
