#pragma once

namespace qarto {

// Before the application object exists: every GL context of the program is
// a 2.1 compatibility-profile one without depth buffer.
void prepareGraphics();

// Right after the application object exists: Qt has set the C library's
// locale from the environment; numbers are read and written with "." again,
// as qarto-cli does (settings, export texts, parsing).
void restoreNumericLocale();

}  // namespace qarto
