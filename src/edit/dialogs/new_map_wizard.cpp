#include "edit/dialogs/new_map_wizard.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "edit/dialogs/new_map_tiles.h"
#include "edit/session/map_file_commands.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/project/layer_amounts.h"
#include "model/settings/number_text.h"
#include "model/settings/settings_store.h"

// The Create New Map Wizard without its window: what it offers at opening,
// the checks of its OK (shared with Add Layer), and the new map it builds.

namespace qarto {

namespace {

constexpr const char* kNoView = "Fatal Error! Map creation failed because the child window is not valid??";
constexpr const char* kBadPrimaryName =
    "The primary layer name you have entered is not a valid C variable name.  Valid names consist of alphanumeric "
    "text and underscores.\n\nPlease enter a valid name to continue.";
// %i is the layer's number, 2 or 3.
constexpr const char* kBadParallax = "Layer %i has an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";
constexpr const char* kBadName =
    "The name for layer %i is not a valid C variable name.  Valid names consist of alphanumeric text and "
    "underscores.\n\nPlease enter a valid name to continue.";

// The keys the wizard owns in section "Settings".
struct SecondaryKeys {
  const char* name;
  const char* amountX;
  const char* amountY;
  const char* unitX;
  const char* unitY;
  const char* use;
  const char* defaultName;
  const char* defaultAmount;
};
constexpr std::array<SecondaryKeys, 2> kSecondaryKeys = {{
    {"Layer2Name", "Parallax2A", "Parallax2B", "Units2A", "Units2B", "UseLayer2", "BG_Layer1", "0.5"},
    {"Layer3Name", "Parallax3A", "Parallax3B", "Units3A", "Units3B", "UseLayer3", "BG_Layer2", "0.25"},
}};

std::string withLayerNumber(const char* format, int number) {
  const std::string_view text = format;
  const std::size_t at = text.find("%i");
  return std::string(text.substr(0, at)) + std::to_string(number) + std::string(text.substr(at + 2));
}

int readUnit(SettingsStore& settings, const char* key, int count) {
  const int unit = settings.readInt(kSettingsSection, key, 0);
  return unit >= 0 && unit < count ? unit : 0;
}

SizeUnit primaryUnit(int index) { return static_cast<SizeUnit>(std::clamp(index, 0, 2) + 1); }
SizeUnit secondaryUnit(int index) { return static_cast<SizeUnit>(std::clamp(index, 0, 3)); }

// How an amount is remembered: "%0.2f" as a parallax factor, else "%i" of
// its whole part; text that is no number (a disabled layer's entries are not
// checked) or has no whole part an int holds, as typed.
std::string storedAmount(const std::string& typed, int unit) {
  const std::optional<double> amount = parseDecimalText(typed);
  if (!amount) return typed;
  if (secondaryUnit(unit) == SizeUnit::Parallax) return formatTwoDecimals(*amount);
  if (!(std::fabs(*amount) < 1.0e9)) return typed;
  return std::to_string(static_cast<int>(*amount));
}

// The layer gets the name the rule accepted, without surrounding blanks.
std::string trimmed(const std::string& name) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
  const auto first = std::find_if_not(name.begin(), name.end(), blank);
  const auto last = std::find_if_not(name.rbegin(), name.rend(), blank).base();
  return first < last ? std::string(first, last) : std::string();
}

struct PlannedLayer {
  std::string name;
  AxisSize x;
  AxisSize y;
};

void storeEntries(SettingsStore& settings, const NewMapWizardForm& form) {
  settings.writeInt(kSettingsSection, "Units1A", form.widthUnit);
  settings.writeInt(kSettingsSection, "Units1B", form.heightUnit);
  settings.writeText(kSettingsSection, "DefMapWidth", form.widthText);
  settings.writeText(kSettingsSection, "DefMapHeight", form.heightText);
  for (std::size_t i = 0; i < kSecondaryKeys.size(); ++i) {
    const SecondaryKeys& keys = kSecondaryKeys[i];
    const SecondaryLayerEntry& entry = form.secondary[i];
    settings.writeText(kSettingsSection, keys.amountX, storedAmount(entry.amountX, entry.unitX));
    settings.writeText(kSettingsSection, keys.amountY, storedAmount(entry.amountY, entry.unitY));
    settings.writeInt(kSettingsSection, keys.unitX, entry.unitX);
    settings.writeInt(kSettingsSection, keys.unitY, entry.unitY);
  }
  settings.writeText(kSettingsSection, "Layer1Name", form.primaryName);
  settings.writeText(kSettingsSection, kSecondaryKeys[0].name, form.layer2().name);
  settings.writeText(kSettingsSection, kSecondaryKeys[1].name, form.layer3().name);
}

}  // namespace

void NewMapWizardForm::setLayer2Enabled(bool enabled) {
  layer2().enabled = enabled;
  if (!enabled) layer3().enabled = false;
}

NewMapWizardForm loadNewMapWizard(SettingsStore& settings) {
  NewMapWizardForm form;
  form.primaryName = settings.readText(kSettingsSection, "Layer1Name", "BG_Layer0");
  form.widthText = settings.readText(kSettingsSection, "DefMapWidth", "128");
  form.heightText = settings.readText(kSettingsSection, "DefMapHeight", "64");
  form.widthUnit = readUnit(settings, "Units1A", static_cast<int>(kPrimaryUnitNames.size()));
  form.heightUnit = readUnit(settings, "Units1B", static_cast<int>(kPrimaryUnitNames.size()));
  form.hasCollision = settings.readInt(kSettingsSection, "HasCollision", 1) != 0;
  form.hasEntity = settings.readInt(kSettingsSection, "HasEntity", 0) != 0;
  for (std::size_t i = 0; i < kSecondaryKeys.size(); ++i) {
    const SecondaryKeys& keys = kSecondaryKeys[i];
    SecondaryLayerEntry& entry = form.secondary[i];
    entry.enabled = settings.readInt(kSettingsSection, keys.use, 0) != 0;
    entry.name = settings.readText(kSettingsSection, keys.name, keys.defaultName);
    entry.amountX = settings.readText(kSettingsSection, keys.amountX, keys.defaultAmount);
    entry.amountY = settings.readText(kSettingsSection, keys.amountY, keys.defaultAmount);
    entry.unitX = readUnit(settings, keys.unitX, static_cast<int>(kSecondaryUnitNames.size()));
    entry.unitY = readUnit(settings, keys.unitY, static_cast<int>(kSecondaryUnitNames.size()));
  }
  form.setLayer2Enabled(form.layer2().enabled);
  return form;
}

void showUnoptimizedModeHelp(PlatformServices& services) {
  services.messageBox(kUnoptimizedModeHelp, caption(), MessageButtons::Ok, MessageIcon::None);
}

NewMapOutcome acceptNewMapWizard(EditorSession& session, const NewMapWizardForm& form, const MapFileHooks& hooks,
                                 bool viewAvailable) {
  PlatformServices& services = session.services();
  SettingsStore& settings = session.settings();
  MapProject& project = session.project();
  auto refuse = [&services](const std::string& text) {
    services.messageBox(text, caption(), MessageButtons::Ok, MessageIcon::Exclamation);
    return NewMapOutcome::StayOpen;
  };

  if (!viewAvailable) return refuse(kNoView);
  if (!isValidLayerName(form.primaryName)) return refuse(kBadPrimaryName);

  const int screenX = screenTiles(project.screenWidth);
  const int screenY = screenTiles(project.screenHeight);
  const int width = layerAxisSize(amountOrNaN(form.widthText), primaryUnit(form.widthUnit), 0, screenX).extent;
  const int height = layerAxisSize(amountOrNaN(form.heightText), primaryUnit(form.heightUnit), 0, screenY).extent;
  if (!layerExtentsInRange(width, height, screenX, screenY)) return refuse(layerSizeMessage());

  std::array<std::optional<PlannedLayer>, 2> planned;
  for (std::size_t i = 0; i < planned.size(); ++i) {
    const SecondaryLayerEntry& entry = form.secondary[i];
    if (!entry.enabled) continue;
    const int number = static_cast<int>(i) + 2;
    const AxisSize x = layerAxisSize(amountOrNaN(entry.amountX), secondaryUnit(entry.unitX), width, screenX);
    const AxisSize y = layerAxisSize(amountOrNaN(entry.amountY), secondaryUnit(entry.unitY), height, screenY);
    if (!parallaxInRange(x.parallax) || !parallaxInRange(y.parallax)) {
      return refuse(withLayerNumber(kBadParallax, number));
    }
    if (!layerExtentsInRange(x.extent, y.extent, screenX, screenY)) return refuse(layerSizeMessage());
    if (!isValidLayerName(entry.name)) return refuse(withLayerNumber(kBadName, number));
    planned[i] = PlannedLayer{trimmed(entry.name), x, y};
  }

  if (!confirmDiscard(session, hooks)) return NewMapOutcome::Cancelled;

  storeEntries(settings, form);
  project.resetProject(false);

  // Each layer goes in at the bottom: entities end up on top.
  settings.writeInt(kSettingsSection, "HasEntity", form.hasEntity ? 1 : 0);
  if (form.hasEntity) project.addLayer("Entities", width, height, 1.0f, 1.0f, LayerKind::Entity, false);
  settings.writeInt(kSettingsSection, "HasCollision", form.hasCollision ? 1 : 0);
  if (form.hasCollision) project.addLayer("Collision", width, height, 1.0f, 1.0f, LayerKind::Collision, false);
  project.addLayer(trimmed(form.primaryName), width, height, 1.0f, 1.0f, LayerKind::Primary, false);
  for (const std::optional<PlannedLayer>& layer : planned) {
    if (!layer) continue;
    project.addLayer(layer->name, layer->x.extent, layer->y.extent, static_cast<float>(layer->x.parallax),
                     static_cast<float>(layer->y.parallax), LayerKind::Secondary, false);
  }
  settings.writeInt(kSettingsSection, kSecondaryKeys[0].use, form.layer2().enabled ? 1 : 0);
  settings.writeInt(kSettingsSection, kSecondaryKeys[1].use, form.layer3().enabled ? 1 : 0);

  project.unoptimizedMode = form.unoptimizedMode;
  loadNewMapTilePage(session, form.tilePagePath);
  // A new map starts with nothing to undo.
  project.journal().clear();
  if (hooks.setWindowTitle) {
    hooks.setWindowTitle(caption(form.unoptimizedMode ? " - New Map  (Un-opt. mode)" : " - New Map"));
  }
  return NewMapOutcome::Created;
}

}  // namespace qarto
