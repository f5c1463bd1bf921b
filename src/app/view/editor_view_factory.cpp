#include "app/view/editor_view_factory.h"

#include <QOpenGLContext>
#include <memory>

#include "app/view/map_view.h"
#include "app/view/no_gl_view.h"
#include "app/view/raster/raster_map_view.h"
#include "app/view/raster/view_framebuffer.h"
#include "app/view/view_presentation.h"
#include "model/platform_services.h"

namespace qarto {

bool openGlAvailable() {
  QOpenGLContext probe;
  probe.setFormat(CMapView::surfaceFormat());
  return probe.create();
}

std::unique_ptr<ViewFramebuffer> startViewContext() {
  auto gl = std::make_unique<ViewFramebuffer>();
  gl->startCreating();
  return gl;
}

ViewFactory editorViewFactory(PlatformServices& services, std::unique_ptr<ViewFramebuffer> started) {
  // The context that tells what draws becomes the raster view's own.
  auto gl = std::make_shared<std::unique_ptr<ViewFramebuffer>>(started ? std::move(started)
                                                                       : std::make_unique<ViewFramebuffer>());
  const bool made = (*gl)->create();
  if (!made && !openGlAvailable()) {
    services.messageBox("ChoosePixelFormat() failed", "Error", MessageButtons::Ok, MessageIcon::Stop);
    return [](const ViewContext& context, QWidget* parent) -> std::unique_ptr<ViewSurface> {
      return std::make_unique<NoGlView>(context, parent);
    };
  }
  const std::string override = qEnvironmentVariable("QARTO_VIEW_PRESENTATION").toStdString();
  if (made && choosePresentation((*gl)->renderer(), override) == ViewPresentation::Raster) {
    return [gl](const ViewContext& context, QWidget* parent) -> std::unique_ptr<ViewSurface> {
      std::unique_ptr<ViewFramebuffer> own = std::move(*gl);
      if (own == nullptr) {
        own = std::make_unique<ViewFramebuffer>();
        own->create();
      }
      return std::make_unique<CRasterMapView>(context, std::move(own), parent);
    };
  }
  gl->reset();
  return [](const ViewContext& context, QWidget* parent) -> std::unique_ptr<ViewSurface> {
    return std::make_unique<CMapView>(context, parent);
  };
}

}  // namespace qarto
