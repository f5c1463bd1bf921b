#include "io/tileset_folders.h"

#include "io/path_utils.h"
#include "model/settings_store.h"

namespace qarto {

std::string tilesetDialogFolder(SettingsStore& settings) {
  // Start-up writes 0 for a missing key; a store that still lacks it means
  // the preference was never set up, and the default folder wins then.
  if (settings.readInt(kSettingsSection, kUseDefTilesetPathKey, 1) != 0) {
    return settings.readText(kSettingsSection, kDefTilesetPathKey, "");
  }
  return settings.readText(kSettingsSection, kLastTilesetPathKey, "");
}

void rememberTilesetFolder(SettingsStore& settings, const std::string& chosenPath) {
  settings.writeText(kSettingsSection, kLastTilesetPathKey, splitPath(chosenPath).folder);
}

}  // namespace qarto
