#include "io/files/chooser_folders.h"

#include "io/files/path_utils.h"
#include "model/settings/settings_keys.h"
#include "model/settings/settings_store.h"

namespace qarto {

const ChooserFolderKeys kMapFolderKeys = {setting_keys::kUseDefMapPath, setting_keys::kDefMapPath,
                                          setting_keys::kLastMapPath, 0};
const ChooserFolderKeys kTilesetFolderKeys = {setting_keys::kUseDefTilesetPath, setting_keys::kDefTilesetPath,
                                              setting_keys::kLastTilesetPath, 1};

std::string chooserFolder(SettingsStore& settings, const ChooserFolderKeys& keys) {
  const bool useDefault = settings.readInt(kSettingsSection, keys.useDefault, keys.useDefaultWhenMissing) != 0;
  return settings.readText(kSettingsSection, useDefault ? keys.defaultFolder : keys.lastFolder, "");
}

void rememberChooserFolder(SettingsStore& settings, const ChooserFolderKeys& keys, const std::string& chosenPath) {
  settings.writeText(kSettingsSection, keys.lastFolder, splitPath(chosenPath).folder);
}

}  // namespace qarto
