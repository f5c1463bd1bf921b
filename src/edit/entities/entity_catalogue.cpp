#include "edit/entities/entity_catalogue.h"

namespace qarto {

const std::array<EntityType, kEntityTypes>& entityCatalogue() {
  static const std::array<EntityType, kEntityTypes> catalogue = {{
      {"Crawler",
       "Walks along the ground and turns round\r\nat walls and ledges.\r\n \r\nPlace it on solid ground.", 1},
      {"Hopper", "Jumps towards the player every\r\nfew seconds.\r\n \r\nNeeds headroom of two tiles.", 2},
      {"Flyer", "Drifts in a sine wave through the air,\r\nignoring collision.\r\n \r\nPlace it anywhere.", 3},
      {"Turret", "Stands still and fires along its facing.\r\n \r\nFlip it to fire the other way.", 4},
      {"Spikes", "Hurts on touch; never moves.\r\n \r\nPlace its foot on the floor it covers.", 5},
      {"Player Start", "Where the player appears when the\r\nmap is entered.\r\n \r\nUse one per map.", 0},
  }};
  return catalogue;
}

}  // namespace qarto
