#pragma once

#include <string>

#include "offscreen/offscreen_context.h"

namespace qarto {

// Writes a frame as an 8-bit RGB PNG (the alpha of the frame buffer is not
// part of the picture). False with the reason on failure.
bool writePng(const std::string& path, const Frame& frame, std::string& message);
// Reads an 8-bit RGB or RGBA PNG into a frame (alpha 255 for RGB).
bool readPng(const std::string& path, Frame& frame, std::string& message);

}  // namespace qarto
