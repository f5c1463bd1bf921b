#pragma once

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <memory>
#include <string>
#include <thread>

class QOpenGLFramebufferObject;

namespace qarto {

// An OpenGL context of the map view's format that draws into a framebuffer
// object off the screen and reads the picture back into a QImage. It
// belongs to no window, so Qt never composes a window through it.
class ViewFramebuffer {
 public:
  ViewFramebuffer();
  ~ViewFramebuffer();
  ViewFramebuffer(const ViewFramebuffer&) = delete;
  ViewFramebuffer& operator=(const ViewFramebuffer&) = delete;

  // Starts making the context on another thread: loading the GL driver
  // (with LLVM for llvmpipe) is a good part of the start-up, and the window
  // can be built meanwhile.
  void startCreating();
  // Makes the context (or waits for the one started) and reads its
  // GL_RENDERER; false when no context of the format can be made current.
  // On the GUI thread.
  bool create();
  const std::string& renderer() const { return renderer_; }

  // Current around a piece of GL work; nested calls are counted, and a
  // context already current stays so.
  void acquire();
  void release();

  // With the context acquired: binds a framebuffer of `size` (device
  // pixels) to draw into. False when none of that size can be made.
  bool bind(QSize size);
  // Copies `rect` of the drawn picture into the same place of `into`
  // (Format_RGB32 of the framebuffer's size), rows top first.
  void read(QImage& into, const QRect& rect);

 private:
  QOpenGLContext context_;
  QOffscreenSurface surface_;
  std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
  std::thread maker_;
  bool made_ = false;
  std::string renderer_;
  bool packInvert_ = false;  // GL_MESA_pack_invert: rows read top first
  int depth_ = 0;
  bool madeCurrent_ = false;
};

}  // namespace qarto
