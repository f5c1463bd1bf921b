#pragma once

#include <optional>
#include <string_view>

namespace qarto {

// The numbers a user types: the amounts, sizes, offsets and parallax values
// of the dialogs and the numbers of qarto-cli's options. Every such field
// reads its text through these two, so that text which is no number is
// refused with the field's own message instead of being read as 0 or as its
// leading digits.
//
// A number is the whole text: blanks around it, an optional sign and decimal
// digits; a decimal number may also hold one "." with digits on either side
// ("0.5", ".5", "2."). "." is the decimal point whatever the locale. Anything
// else is no number: "", "zz", "4O", "256px", "0x10", "1,5", "inf", "nan",
// and "1e3" too (the edits show plain amounts; an exponent is far likelier a
// slip than meant). A number the type cannot hold is no number either.
std::optional<int> parseIntegerText(std::string_view text);
std::optional<double> parseDecimalText(std::string_view text);

}  // namespace qarto
