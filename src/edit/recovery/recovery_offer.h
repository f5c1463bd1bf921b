#pragma once

#include <cstdint>
#include <string>

namespace qarto {

class EditorSession;
class RecoveryKeeper;
struct MapFileHooks;

inline constexpr const char* kRestoreButton = "Restore";
inline constexpr const char* kDiscardButton = "Discard";
inline constexpr const char* kLaterButton = "Later";

// At start-up: asks about every recovery copy in `folder` younger than 14
// days, newest first: "Qarto closed before saving PATH (changes from
// TIME). Restore them?" with Restore (the default), Discard and Later.
// Restore opens the copy as the modified map at its own path and ends the
// questions (one map is open at a time; the rest wait for the next start);
// Discard deletes the copy; Later keeps it. A copy that cannot be read is
// reported and kept aside as "<copy>.damaged". True when a copy was restored.
bool offerRecoveryCopies(EditorSession& session, const std::string& folder, std::int64_t nowSeconds,
                         const MapFileHooks& hooks, RecoveryKeeper* keeper);

}  // namespace qarto
