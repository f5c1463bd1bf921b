#pragma once

#include <string>

namespace qarto {

class EditorSession;

// Export .CLL: writes the collision layer's tiles as the .cll of the current
// tile page. True when the file was written.
bool exportCollisionSet(EditorSession& session);

// Where Export .CLL writes for a page read from `imagePath`: the file name in
// lower case with ".bmp" or ".pcx" replaced by ".cll" (else ".cll" appended).
std::string collisionSetPathFor(const std::string& imagePath);

}  // namespace qarto
