#include "edit/dialogs/preferences_model.h"

#include <algorithm>
#include <optional>

#include "io/files/path_utils.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/map_project.h"
#include "model/settings/number_text.h"
#include "model/settings/screen_size.h"
#include "model/settings/settings_keys.h"
#include "model/settings/settings_store.h"
#include "model/settings/view_colors.h"

namespace qarto {

namespace keys = setting_keys;

namespace {

constexpr int kUndoLevelsShownByDefault = 10;
constexpr int kUnlimitedUndoLevels = -1;
constexpr int kLevelsPerPosition = 5;

}  // namespace

int undoLevelsForPosition(int position) { return std::max(position * kLevelsPerPosition, 1); }

int undoPositionForLevels(int levels) { return std::clamp(levels / kLevelsPerPosition, 0, kMaxUndoPosition); }

std::string undoLevelsLabel(int position) { return std::to_string(undoLevelsForPosition(position)); }

PreferencesValues loadPreferences(SettingsStore& settings) {
  PreferencesValues values;
  const int levels = settings.readInt(kSettingsSection, keys::kUndoLevels, kUndoLevelsShownByDefault);
  values.unlimitedUndo = levels < 0;
  values.undoPosition = values.unlimitedUndo ? undoPositionForLevels(kUndoLevelsShownByDefault)
                                             : undoPositionForLevels(levels);

  values.mapPath = settings.readText(kSettingsSection, keys::kDefMapPath, "");
  values.useDefMapPath = settings.readInt(kSettingsSection, keys::kUseDefMapPath, 0) != 0;
  values.tilesetPath = settings.readText(kSettingsSection, keys::kDefTilesetPath, "");
  values.useDefTilesetPath = settings.readInt(kSettingsSection, keys::kUseDefTilesetPath, 0) != 0;
  values.emulatorCommand = settings.readText(kSettingsSection, keys::kEmulatorCommand, "");
  values.classicKeys = settings.readInt(kSettingsSection, keys::kClassicKeys, 0) != 0;
  values.entityCataloguePath = settings.readText(kSettingsSection, keys::kEntityCatalogue, "");

  const ScreenSize screen = readScreenSize(settings);
  values.screenWidthText = std::to_string(screen.width);
  values.screenHeightText = std::to_string(screen.height);

  for (std::size_t i = 0; i < kColourPreferences.size(); ++i) {
    values.colours[i] = static_cast<std::uint32_t>(settings.readInt(kSettingsSection, kColourPreferences[i].key, 0));
  }
  for (std::size_t i = 0; i < kAlphaPreferences.size(); ++i) {
    // A slider cannot show a level outside its range.
    values.alphaLevels[i] = std::clamp(settings.readInt(kSettingsSection, kAlphaPreferences[i].key, 0), 0,
                                       kMaxAlphaLevel);
  }
  return values;
}

FileChooserRequest entityCatalogueChooser(const std::string& current) {
  FileChooserRequest request;
  request.title = kEntityCatalogueTitle;
  request.filter = kEntityCatalogueFilter;
  request.defaultExtension = ".ini";
  const PathParts parts = splitPath(current);
  request.initialFolder = parts.folder;
  request.initialFile = current.empty() ? std::string() : parts.baseName + "." + parts.extension;
  return request;
}

bool confirmUnlimitedUndo(PlatformServices& services) {
  return services.messageBox(kUnlimitedUndoQuestion, caption(), MessageButtons::YesNo, MessageIcon::Exclamation) ==
         MessageAnswer::Yes;
}

PreferencesOutcome acceptPreferences(PlatformServices& services, SettingsStore& settings, MapProject& project,
                                     const PreferencesValues& values) {
  const std::optional<int> width = parseIntegerText(values.screenWidthText);
  const std::optional<int> height = parseIntegerText(values.screenHeightText);
  if (!width || !height || !screenSizeInRange(*width, *height)) {
    services.messageBox(screenSizeRangeMessage(), caption(kPreferencesCaptionSuffix), MessageButtons::Ok,
                        MessageIcon::Warning);
    return PreferencesOutcome::StayOpen;
  }

  const int levels = values.unlimitedUndo ? kUnlimitedUndoLevels : undoLevelsForPosition(values.undoPosition);
  settings.writeInt(kSettingsSection, keys::kUndoLevels, levels);
  project.journal().setLevels(levels);

  settings.writeText(kSettingsSection, keys::kDefMapPath, values.mapPath);
  settings.writeInt(kSettingsSection, keys::kUseDefMapPath, values.useDefMapPath ? 1 : 0);
  settings.writeText(kSettingsSection, keys::kDefTilesetPath, values.tilesetPath);
  settings.writeInt(kSettingsSection, keys::kUseDefTilesetPath, values.useDefTilesetPath ? 1 : 0);
  settings.writeText(kSettingsSection, keys::kEmulatorCommand, values.emulatorCommand);
  settings.writeInt(kSettingsSection, keys::kClassicKeys, values.classicKeys ? 1 : 0);
  settings.writeText(kSettingsSection, keys::kEntityCatalogue, values.entityCataloguePath);

  for (std::size_t i = 0; i < kColourPreferences.size(); ++i) {
    settings.writeInt(kSettingsSection, kColourPreferences[i].key, static_cast<int>(values.colours[i]));
  }
  for (std::size_t i = 0; i < kAlphaPreferences.size(); ++i) {
    settings.writeInt(kSettingsSection, kAlphaPreferences[i].key, values.alphaLevels[i]);
  }

  project.screenWidth = *width;
  project.screenHeight = *height;
  settings.writeInt(kSettingsSection, keys::kScreenWidth, *width);
  settings.writeInt(kSettingsSection, keys::kScreenHeight, *height);
  return PreferencesOutcome::Accepted;
}

}  // namespace qarto
