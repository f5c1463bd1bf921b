#pragma once

#include <string>

namespace qarto {

// The folder of the running program, without a final "/" ("." when the
// system does not say).
std::string runningProgramFolder();

}  // namespace qarto
