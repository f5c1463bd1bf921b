#include "app/view/raster/view_framebuffer.h"

#include <GL/gl.h>

#include <QOpenGLFramebufferObject>
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/view/map_view.h"

#ifndef GL_PACK_INVERT_MESA
#define GL_PACK_INVERT_MESA 0x8758
#endif
#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif

namespace qarto {

ViewFramebuffer::ViewFramebuffer() = default;

ViewFramebuffer::~ViewFramebuffer() {
  if (maker_.joinable()) maker_.join();
  if (framebuffer_ != nullptr && context_.makeCurrent(&surface_)) {
    framebuffer_.reset();
    context_.doneCurrent();
  }
}

void ViewFramebuffer::startCreating() {
  context_.setFormat(CMapView::surfaceFormat());
  // The context stays the GUI thread's: it is only made current there.
  maker_ = std::thread([this] { made_ = context_.create(); });
}

bool ViewFramebuffer::create() {
  if (maker_.joinable()) {
    maker_.join();
  } else {
    context_.setFormat(CMapView::surfaceFormat());
    made_ = context_.create();
  }
  if (!made_) return false;
  surface_.setFormat(context_.format());
  surface_.create();
  if (!surface_.isValid() || !context_.makeCurrent(&surface_)) return false;
  const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  renderer_ = name != nullptr ? name : "";
  packInvert_ = context_.hasExtension("GL_MESA_pack_invert");
  const bool framebuffers = QOpenGLFramebufferObject::hasOpenGLFramebufferObjects();
  context_.doneCurrent();
  return framebuffers;
}

void ViewFramebuffer::acquire() {
  if (depth_++ > 0) return;
  madeCurrent_ = QOpenGLContext::currentContext() != &context_;
  if (madeCurrent_) context_.makeCurrent(&surface_);
}

void ViewFramebuffer::release() {
  if (--depth_ > 0) return;
  if (madeCurrent_) context_.doneCurrent();
  madeCurrent_ = false;
}

bool ViewFramebuffer::bind(QSize size) {
  if (framebuffer_ == nullptr || framebuffer_->size() != size) {
    framebuffer_.reset();
    auto made = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::NoAttachment, GL_TEXTURE_2D,
                                                           GL_RGBA8);
    if (!made->isValid()) return false;
    framebuffer_ = std::move(made);
  }
  return framebuffer_->bind();
}

void ViewFramebuffer::read(QImage& into, const QRect& rect) {
  const QRect area = rect & into.rect();
  if (area.isEmpty()) return;
  const int rowPixels = static_cast<int>(into.bytesPerLine() / 4);
  auto* first = reinterpret_cast<std::uint32_t*>(into.scanLine(area.y())) + area.x();
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, rowPixels);
  // GL counts rows from the bottom.
  const int bottom = into.height() - area.y() - area.height();
  if (packInvert_) glPixelStorei(GL_PACK_INVERT_MESA, GL_TRUE);
  glReadPixels(area.x(), bottom, area.width(), area.height(), GL_BGRA, GL_UNSIGNED_BYTE, first);
  if (packInvert_) {
    glPixelStorei(GL_PACK_INVERT_MESA, GL_FALSE);
  } else {
    for (int top = 0, low = area.height() - 1; top < low; ++top, --low) {
      std::swap_ranges(first + static_cast<std::ptrdiff_t>(top) * rowPixels,
                       first + static_cast<std::ptrdiff_t>(top) * rowPixels + area.width(),
                       first + static_cast<std::ptrdiff_t>(low) * rowPixels);
    }
  }
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  // The frame's alpha is not part of the picture: Format_RGB32 holds 0xFF there.
  for (int row = 0; row < area.height(); ++row) {
    std::uint32_t* pixel = first + static_cast<std::ptrdiff_t>(row) * rowPixels;
    for (int x = 0; x < area.width(); ++x) pixel[x] |= 0xFF000000u;
  }
}

}  // namespace qarto
