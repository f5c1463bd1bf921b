#include "edit/collision/collision_word.h"

namespace qarto {

const char* markerName(int index) {
  return index >= 0 && index < static_cast<int>(kMarkerNames.size()) ? kMarkerNames[static_cast<std::size_t>(index)]
                                                                     : "";
}

const char* damageName(int index) {
  return index >= 0 && index < static_cast<int>(kDamageNames.size()) ? kDamageNames[static_cast<std::size_t>(index)]
                                                                     : "";
}

const std::array<FlagDefinition, kMaxFlagDefinitions>& flagDefinitions() {
  static const std::array<FlagDefinition, kMaxFlagDefinitions> definitions = [] {
    std::array<FlagDefinition, kMaxFlagDefinitions> list{};
    list[0] = FlagDefinition{true, "Solid", 12, 15, 255, 0, 255, 100};
    list[1] = FlagDefinition{true, "Jump Through", 13, 0, 0, 255, 0, 176};
    return list;
  }();
  return definitions;
}

}  // namespace qarto
