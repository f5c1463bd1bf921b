#pragma once

#include <cstddef>

namespace qarto {

// Source files beyond this are not source files anyone means to import.
inline constexpr std::size_t kMaxSourceBytes = std::size_t{256} << 20;

// Anything below "!" separates tokens.
inline bool isCBlank(char c) { return static_cast<unsigned char>(c) < '!'; }
inline bool isCDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isCWordStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
inline bool isCWordCharacter(char c) { return isCWordStart(c) || isCDigit(c); }

}  // namespace qarto
