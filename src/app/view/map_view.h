#pragma once

#include <QOpenGLWidget>

#include "app/view/map_view_painter.h"
#include "app/view/view_surface.h"

namespace qarto {

// The map view where the GL draws in hardware: an OpenGL 2.1
// compatibility-profile widget (the renderer draws in immediate mode, which
// a core profile silently drops) without a depth buffer, drawing the
// engine's state through the renderer in device pixels. The renderer lives
// as long as the context: when Qt recreates the context the renderer is set
// up again and every tileset's texture is uploaded again from the tileset's
// own pixels. (Where the GL is a software rasterizer the view is
// CRasterMapView.)
class CMapView : public QOpenGLWidget, public ViewSurface {
  Q_OBJECT

 public:
  CMapView(const ViewContext& context, QWidget* parent = nullptr);
  ~CMapView() override;

  QWidget* widget() override { return this; }
  void reloadColors() override;
  void holdDrawing(bool hold) override;
  void shutDown() override;

  // The format every view context asks for.
  static QSurfaceFormat surfaceFormat();

 protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;

 private:
  void contextAboutToGo();
  void acquireContext();
  void releaseContext();

  ViewContext context_;
  MapViewPainter painter_;
  int contextDepth_ = 0;
  bool madeCurrent_ = false;
};

}  // namespace qarto
