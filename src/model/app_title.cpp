#include "model/app_title.h"

#ifndef QARTO_VERSION
#error "QARTO_VERSION comes from the build (src/CMakeLists.txt)"
#endif

namespace qarto {

const char* const kAppTitle = "Qarto v" QARTO_VERSION;

}  // namespace qarto
