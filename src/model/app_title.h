#pragma once

#include <string>

namespace qarto {

// The caption of every message box and the first part of the window title:
// "Qarto v" and the version of project() in CMakeLists.txt.
extern const char* const kAppTitle;

// "Qarto v0.99 - Add Layer" and friends; an empty suffix gives the bare title.
inline std::string caption(const std::string& suffix = {}) { return std::string(kAppTitle) + suffix; }

}  // namespace qarto
