#include "app/view/editor_view_factory.h"

#include <QOpenGLContext>

#include "app/view/map_view.h"
#include "app/view/no_gl_view.h"
#include "model/platform_services.h"

namespace qarto {

bool openGlAvailable() {
  QOpenGLContext probe;
  probe.setFormat(CMapView::surfaceFormat());
  return probe.create();
}

ViewFactory editorViewFactory(PlatformServices& services, bool openGl) {
  if (openGl) {
    return [](const ViewContext& context, QWidget* parent) -> std::unique_ptr<ViewSurface> {
      return std::make_unique<CMapView>(context, parent);
    };
  }
  services.messageBox("ChoosePixelFormat() failed", "Error", MessageButtons::Ok, MessageIcon::Stop);
  return [](const ViewContext& context, QWidget* parent) -> std::unique_ptr<ViewSurface> {
    return std::make_unique<NoGlView>(context, parent);
  };
}

}  // namespace qarto
