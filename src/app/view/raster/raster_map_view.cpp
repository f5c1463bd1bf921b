#include "app/view/raster/raster_map_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "app/view/raster/view_framebuffer.h"
#include "edit/engine/map_view_engine.h"

namespace qarto {

namespace {

// The smallest rectangle holding every pixel where two pictures of the same
// size differ (empty when they are the same).
QRect differingArea(const QImage& a, const QImage& b) {
  const int width = a.width();
  const auto rowBytes = static_cast<std::size_t>(width) * 4;
  int top = 0;
  int bottom = a.height() - 1;
  while (top <= bottom && std::memcmp(a.constScanLine(top), b.constScanLine(top), rowBytes) == 0) ++top;
  if (top > bottom) return {};
  while (std::memcmp(a.constScanLine(bottom), b.constScanLine(bottom), rowBytes) == 0) --bottom;
  int left = width;
  int right = -1;
  for (int y = top; y <= bottom; ++y) {
    const auto* p = reinterpret_cast<const std::uint32_t*>(a.constScanLine(y));
    const auto* q = reinterpret_cast<const std::uint32_t*>(b.constScanLine(y));
    int x = 0;
    while (x < left && p[x] == q[x]) ++x;
    left = std::min(left, x);
    int end = width - 1;
    while (end > right && p[end] == q[end]) --end;
    right = std::max(right, end);
  }
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Moves the picture by (dx, dy) pixels; what comes into view keeps old
// pixels until it is drawn again.
void shiftPicture(QImage& picture, int dx, int dy) {
  const int width = picture.width();
  const int height = picture.height();
  const int span = width - std::abs(dx);
  if (span <= 0 || std::abs(dy) >= height) return;
  const int from = std::max(0, -dx);
  const int to = std::max(0, dx);
  const auto move = [&](int y) {
    const auto* source = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y - dy)) + from;
    auto* target = reinterpret_cast<std::uint32_t*>(picture.scanLine(y)) + to;
    std::memmove(target, source, static_cast<std::size_t>(span) * 4);
  };
  if (dy > 0) {
    for (int y = height - 1; y >= dy; --y) move(y);
  } else {
    for (int y = 0; y < height + dy; ++y) move(y);
  }
}

}  // namespace

CRasterMapView::CRasterMapView(const ViewContext& context, std::unique_ptr<ViewFramebuffer> gl, QWidget* parent)
    : QWidget(parent), context_(context), gl_(std::move(gl)), painter_(context) {
  setMinimumSize(64, 64);
  // Every pixel is painted from the picture.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  gl_->acquire();
  painter_.setUp([this] { gl_->acquire(); }, [this] { gl_->release(); });
  gl_->release();
}

CRasterMapView::~CRasterMapView() { shutDown(); }

QSize CRasterMapView::deviceSize() const {
  const ViewState& view = context_.engine.state().view;
  return {view.clientWidth, view.clientHeight};
}

void CRasterMapView::redraw() {
  stale_ = true;
  if (scheduled_) return;
  scheduled_ = true;
  // After the events at hand: a burst of requests gives one frame.
  QMetaObject::invokeMethod(
      this,
      [this] {
        scheduled_ = false;
        if (stale_ && isVisible()) updateChanged(drawFrame());
      },
      Qt::QueuedConnection);
}

void CRasterMapView::updateChanged(const QRect& changed) {
  if (changed.isEmpty()) return;
  const double scale = devicePixelRatioF();
  update(QRectF(changed.x() / scale, changed.y() / scale, changed.width() / scale, changed.height() / scale)
             .toAlignedRect());
}

void CRasterMapView::reloadColors() {
  painter_.reloadColors();
  redraw();
}

void CRasterMapView::holdDrawing(bool hold) {
  painter_.holdDrawing(hold);
  redraw();
}

QRect CRasterMapView::drawFrame() {
  stale_ = false;
  const QSize size = deviceSize();
  if (!painter_.ready() || size.isEmpty()) return {};
  if (picture_.size() != size) painter_.forgetPicture();
  gl_->acquire();
  if (!gl_->bind(size)) {
    gl_->release();
    painter_.forgetPicture();
    return {};
  }
  const FrameDamage damage = painter_.paintChanges();
  QRect changed;
  if (damage.full) {
    if (drawn_.size() != size) drawn_ = QImage(size, QImage::Format_RGB32);
    gl_->read(drawn_, drawn_.rect());
    changed = picture_.size() == size ? differingArea(picture_, drawn_) : drawn_.rect();
    std::swap(picture_, drawn_);
  } else {
    if (damage.shiftX != 0 || damage.shiftY != 0) {
      shiftPicture(picture_, damage.shiftX, damage.shiftY);
      changed = picture_.rect();
    }
    for (const WindowRect& rect : damage.rects) {
      const QRect part(rect.x0, rect.y0, rect.width(), rect.height());
      gl_->read(picture_, part);
      changed |= part;
    }
  }
  gl_->release();
  return changed;
}

void CRasterMapView::paintEvent(QPaintEvent* event) {
  // A paint before the frame was drawn (the first, a new size): draw it now;
  // what changed outside this paint's region follows.
  if (stale_ || picture_.size() != deviceSize()) updateChanged(drawFrame());
  QPainter painter(this);
  const double scale = devicePixelRatioF();
  picture_.setDevicePixelRatio(scale);
  const QRect shown(QPoint(0, 0), picture_.deviceIndependentSize().toSize());
  for (const QRect& rect : event->region()) {
    const QRect inside = rect & shown;
    if (!inside.isEmpty()) {
      painter.drawImage(
          inside, picture_,
          QRectF(inside.x() * scale, inside.y() * scale, inside.width() * scale, inside.height() * scale));
    }
    // Beyond the picture (a size on its way to the engine): the background.
    const auto& clear = context_.engine.state().view.clearColor;
    for (const QRect& rest : QRegion(rect).subtracted(QRegion(inside))) {
      painter.fillRect(rest, QColor::fromRgbF(clear[0], clear[1], clear[2]));
    }
  }
}

void CRasterMapView::shutDown() {
  if (!painter_.ready()) return;
  // The project goes first, its textures with it, while they can still be
  // deleted; then the context's own objects.
  gl_->acquire();
  painter_.dropProject();
  painter_.tearDown();
  gl_->release();
}

}  // namespace qarto
