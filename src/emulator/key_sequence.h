#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qarto {

// The keys held in each frame, from a text such as "right*16,down+b*4,none*2":
// steps separated by ",", each a "+"-joined set of key names (up, down,
// left, right, a, b, l, r, start, select, or none) held for "*N" frames
// (1 without it), a day of frames (5184000) at most in all. Nothing when the
// text does not read or is longer; `error` says why.
std::optional<std::vector<std::uint32_t>> parseKeySequence(const std::string& text, std::string& error);

}  // namespace qarto
