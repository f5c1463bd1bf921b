#pragma once

#include <QString>
#include <string>

namespace qarto {

// The chooser filter "Label|*.a;*.b|Label|*.c||" as a Qt name filter list
// "Label (*.a *.b);;Label (*.c)". A label that already ends in its own
// parenthesised patterns keeps them out of the text Qt parses.
QString qtFileFilter(const std::string& filter);

// "bmp" for ".bmp"; empty stays empty.
QString qtDefaultSuffix(const std::string& extension);

}  // namespace qarto
