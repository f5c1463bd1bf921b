#include "app/view/view_presentation.h"

#include <algorithm>
#include <cctype>

namespace qarto {

bool isSoftwareRasterizer(const std::string& glRenderer) {
  std::string lower = glRenderer;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
    if (lower.find(name) != std::string::npos) return true;
  }
  return false;
}

ViewPresentation choosePresentation(const std::string& glRenderer, const std::string& override) {
  if (override == "raster") return ViewPresentation::Raster;
  if (override == "gl") return ViewPresentation::GlWidget;
  return isSoftwareRasterizer(glRenderer) ? ViewPresentation::Raster : ViewPresentation::GlWidget;
}

}  // namespace qarto
