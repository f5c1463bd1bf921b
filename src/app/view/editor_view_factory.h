#pragma once

#include "app/view/view_surface.h"

namespace qarto {

class PlatformServices;

// Whether a context of the map view's format can be made on this display.
// Qt cannot compose a window holding a QOpenGLWidget without one (it ends
// the program), so this is asked before the view is made.
bool openGlAvailable();

// The editor's map view: CMapView where OpenGL is available; otherwise the
// user is told ("ChoosePixelFormat() failed") and the frame gets a view
// that draws nothing useful but keeps everything else working.
ViewFactory editorViewFactory(PlatformServices& services, bool openGl = openGlAvailable());

}  // namespace qarto
