#pragma once

namespace qarto {

class EditorSession;

// Export .CLL: writes the collision layer's tiles as the .cll of the current
// tile page. True when the file was written.
bool exportCollisionSet(EditorSession& session);

}  // namespace qarto
