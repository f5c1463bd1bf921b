#include "offscreen/offscreen_context.h"

#include <GL/osmesa.h>

#include <cstring>

namespace qarto {

OffscreenContext::~OffscreenContext() {
  if (context_ != nullptr) OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

bool OffscreenContext::create(int width, int height, std::string& message) {
  if (width <= 0 || height <= 0) {
    message = "the frame size must be positive";
    return false;
  }
  // RGBA with no depth, stencil or accumulation buffer, as the view asks.
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
  if (context == nullptr) {
    message = "OSMesa could not create a context";
    return false;
  }
  context_ = context;
  if (!resize(width, height)) {
    message = "OSMesa could not make the context current";
    return false;
  }
  return true;
}

bool OffscreenContext::resize(int width, int height) {
  if (context_ == nullptr || width <= 0 || height <= 0) return false;
  buffer_.assign(static_cast<std::size_t>(width) * height * 4, 0);
  if (!OSMesaMakeCurrent(static_cast<OSMesaContext>(context_), buffer_.data(), GL_UNSIGNED_BYTE, width, height)) {
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

Frame OffscreenContext::read() const {
  glFinish();
  Frame frame;
  frame.width = width_;
  frame.height = height_;
  frame.rgba.resize(buffer_.size());
  const std::size_t row = static_cast<std::size_t>(width_) * 4;
  for (int y = 0; y < height_; ++y) {
    std::memcpy(&frame.rgba[static_cast<std::size_t>(y) * row], &buffer_[static_cast<std::size_t>(height_ - 1 - y) * row],
                row);
  }
  return frame;
}

std::string OffscreenContext::renderer() const {
  const auto* text = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return text != nullptr ? text : "";
}

}  // namespace qarto
