#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qarto {

// Floats in the settings store are texts as "%f" writes them in the C
// locale. The editor runs under the user's locale, so these helpers never
// consult it: "." is always the decimal point.

// Six decimals, as "%f": 2.0f -> "2.000000".
std::string formatFloatText(float value);

// Reads one number from the front of `text` as "%f" would: leading white
// space, an optional sign, digits with an optional fraction and exponent.
// On success `text` continues after the number; on failure it is unchanged.
std::optional<float> scanFloatText(std::string_view& text);

}  // namespace qarto
