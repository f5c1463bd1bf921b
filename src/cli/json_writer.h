#pragma once

#include <string>

namespace qarto {

// A JSON string literal with the escapes JSON requires.
std::string jsonString(const std::string& text);

}  // namespace qarto
