#pragma once

#include <string>

namespace qarto {

// How the map view's frames reach the screen. The renderer is the same
// OpenGL 1.1 one either way.
//  - GlWidget: a QOpenGLWidget; right for a GL in hardware.
//  - Raster: frames drawn into an off-screen framebuffer, read back and
//    painted with the raster paint engine, only where the picture changed.
//    With a software rasterizer Qt would otherwise compose the whole window
//    through it at every frame (measured at about 29 ms on llvmpipe for a
//    window-sized quad, against 8 ms for a raster blit of the same picture).
enum class ViewPresentation { GlWidget, Raster };

// Mesa's llvmpipe, softpipe and swrast report themselves in GL_RENDERER.
bool isSoftwareRasterizer(const std::string& glRenderer);

// The presentation for a GL_RENDERER string; `override` ("raster" or "gl",
// from QARTO_VIEW_PRESENTATION) wins when set.
ViewPresentation choosePresentation(const std::string& glRenderer, const std::string& override);

}  // namespace qarto
