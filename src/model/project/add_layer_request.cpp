#include <algorithm>
#include <cctype>

#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/layer_amounts.h"
#include "model/project/map_project.h"

// The validation behind the Add Layer dialog's OK: units, limits and the
// name rule, then the layer-creation core.

namespace qarto {

namespace {

constexpr const char* kNoView = "Add layer failed because the child window is not valid??";
constexpr const char* kNoPrimary = "System Error. No Primary Layer Found!  Add Layer Aborted";
constexpr const char* kBadParallax =
    "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";
constexpr const char* kBadName =
    "The layer name you have entered is not a valid C variable name.  Valid names consist of alphanumeric text and "
    "underscores.\n\nPlease enter a valid name to continue.";

// Blanks become "_"; other white space around the name is dropped so that
// the stored name is the one the rule accepted.
std::string normalisedName(std::string name) {
  std::replace(name.begin(), name.end(), ' ', '_');
  auto isBlank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  const auto first = std::find_if_not(name.begin(), name.end(), isBlank);
  const auto last = std::find_if_not(name.rbegin(), name.rend(), isBlank).base();
  return first < last ? std::string(first, last) : std::string();
}

}  // namespace

AddLayerResult MapProject::requestAddLayer(const AddLayerRequest& request) {
  auto refuse = [this](const std::string& text, MessageIcon icon, AddLayerOutcome outcome) {
    services_.messageBox(text, caption(), MessageButtons::Ok, icon);
    return AddLayerResult{outcome, nullptr};
  };

  if (!request.viewAvailable) return refuse(kNoView, MessageIcon::Stop, AddLayerOutcome::CloseDialog);

  const MapLayer* primary = findLayerOfKind(LayerKind::Primary);
  if (primary == nullptr) return refuse(kNoPrimary, MessageIcon::Exclamation, AddLayerOutcome::CloseDialog);

  const std::string name = normalisedName(request.name);
  int width = primary->width;
  int height = primary->height;
  double parallaxX = 1.0;
  double parallaxY = 1.0;

  if (request.kind == LayerKind::Secondary) {
    // A screen setting below one tile still asks for at least one tile.
    const int screenTilesX = screenTiles(screenWidth);
    const int screenTilesY = screenTiles(screenHeight);
    const AxisSize x = layerAxisSize(request.amountX, request.unitX, primary->width, screenTilesX);
    const AxisSize y = layerAxisSize(request.amountY, request.unitY, primary->height, screenTilesY);
    if (!parallaxInRange(x.parallax) || !parallaxInRange(y.parallax)) {
      return refuse(kBadParallax, MessageIcon::Exclamation, AddLayerOutcome::KeepDialogOpen);
    }
    if (!layerExtentsInRange(x.extent, y.extent, screenTilesX, screenTilesY)) {
      return refuse(layerSizeMessage(), MessageIcon::Exclamation, AddLayerOutcome::KeepDialogOpen);
    }
    width = x.extent;
    height = y.extent;
    parallaxX = x.parallax;
    parallaxY = y.parallax;
  }

  if (!isValidLayerName(name)) return refuse(kBadName, MessageIcon::Exclamation, AddLayerOutcome::KeepDialogOpen);

  MapLayer* layer = addLayer(name, width, height, static_cast<float>(parallaxX), static_cast<float>(parallaxY),
                             request.kind, false);
  return {layer != nullptr ? AddLayerOutcome::Added : AddLayerOutcome::Failed, layer};
}

}  // namespace qarto
