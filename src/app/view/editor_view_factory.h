#pragma once

#include "app/view/view_surface.h"

namespace qarto {

class PlatformServices;
class ViewFramebuffer;

// Whether a context of the map view's format can be made on this display.
// Qt cannot compose a window holding a QOpenGLWidget without one (it ends
// the program), so this is asked before the view is made.
bool openGlAvailable();

// The editor's map view. Where the GL draws in hardware: CMapView. Where it
// is a software rasterizer (or QARTO_VIEW_PRESENTATION=raster):
// CRasterMapView, which shows the same renderer's frames through the raster
// paint engine (see view_presentation.h). Where no context can be made the
// user is told ("ChoosePixelFormat() failed") and the frame gets a view that
// draws nothing useful but keeps everything else working.
// `started`: the context from startViewContext.
ViewFactory editorViewFactory(PlatformServices& services, std::unique_ptr<ViewFramebuffer> started = {});

// Starts making the view's context while the window is built (see
// ViewFramebuffer::startCreating).
std::unique_ptr<ViewFramebuffer> startViewContext();

}  // namespace qarto
