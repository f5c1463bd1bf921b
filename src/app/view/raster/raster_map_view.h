#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "app/view/map_view_painter.h"
#include "app/view/view_surface.h"

namespace qarto {

class ViewFramebuffer;

// The map view where the GL is a software rasterizer: the same renderer
// draws each frame into an off-screen framebuffer (ViewFramebuffer), the
// frame is read back, and the widget paints it with the raster paint
// engine, so Qt never composes the window through the GL. Only the part of
// the picture that changed is handed on to the screen: a mouse move that
// moves the brush preview updates a few cells' worth of pixels.
//
// A redraw is drawn once the events at hand are handled (several requests
// give one frame); a paint with no fresh frame at hand (the first one, a
// new size) draws one on the spot.
class CRasterMapView : public QWidget, public ViewSurface {
  Q_OBJECT

 public:
  CRasterMapView(const ViewContext& context, std::unique_ptr<ViewFramebuffer> gl, QWidget* parent = nullptr);
  ~CRasterMapView() override;

  QWidget* widget() override { return this; }
  void redraw() override;
  void reloadColors() override;
  void holdDrawing(bool hold) override;
  void shutDown() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Draws the frame and reads back what changed; the device-pixel
  // rectangle that differs from the picture shown so far.
  QRect drawFrame();
  // Asks for a paint of the changed device pixels.
  void updateChanged(const QRect& changed);
  QSize deviceSize() const;

  ViewContext context_;
  std::unique_ptr<ViewFramebuffer> gl_;
  MapViewPainter painter_;
  QImage picture_;  // what the widget shows
  QImage drawn_;    // the frame just read back
  bool stale_ = true;
  bool scheduled_ = false;
};

}  // namespace qarto
