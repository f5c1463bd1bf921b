#pragma once

#include "model/settings/view_colors.h"

namespace qarto {

// The colour a marker index (1 to 63) or a damage type (1 to 3) is shown
// in, on the map and in the Flags bar's legend (opaque). Named kinds have
// colours far apart; the unnamed marker indices get colours of their own too.
ViewColor markerColor(int index);
ViewColor damageColor(int type);

}  // namespace qarto
