#pragma once

#include <QWidget>

#include "app/view/view_surface.h"

namespace qarto {

// The map view where no OpenGL context can be made. The frame around it
// keeps working (maps open and save, commands and dialogs run, exports are
// written); the view paints its clear colour and a line saying why the map
// is not drawn. Input and size reach the engine through ViewInput, as with
// the OpenGL view.
class NoGlView : public QWidget, public ViewSurface {
 public:
  NoGlView(const ViewContext& context, QWidget* parent);
  ~NoGlView() override;

  QWidget* widget() override { return this; }
  void reloadColors() override { update(); }
  void shutDown() override;

  // What the view writes in its middle.
  static QString notice();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ViewContext context_;
  bool shutDown_ = false;
};

}  // namespace qarto
