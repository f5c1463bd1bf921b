#pragma once

#include <string>

namespace qarto {

// The binary export writes nothing yet; it reports success so that the
// command's settings are kept like those of the header export.
bool ExportRaw(const std::string& exportDirectory, int saturation, int luminance);

}  // namespace qarto
