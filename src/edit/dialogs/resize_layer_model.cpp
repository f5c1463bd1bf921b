#include "edit/dialogs/resize_layer_model.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "edit/layers/layer_support.h"
#include "model/app_title.h"
#include "model/project/editor_session.h"
#include "model/project/layer_amounts.h"
#include "model/settings/number_text.h"

namespace qarto {

namespace {

constexpr const char* kSameParallax = "The target parallax value is identical to the old layer parallax value.";
constexpr const char* kBadParallax =
    "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 1.5.";
constexpr const char* kNoPrimary = "No valid primary layer was found.  The process has aborted.";
constexpr const char* kSameSize = "The target layer size is identical to the old layer size.";

constexpr double kLargestParallax = 1.5;
// Parallax values closer than this show the same in the dialog's "%0.2f".
constexpr double kSameParallaxTolerance = 0.004;

std::string badSizeMessage() {
  char text[160];
  std::snprintf(text, sizeof text,
                "Map sizes must be no smaller than (%i,%i) and no larger than (%i,%i).\n\nPlease choose a valid size.",
                kMinLayerTilesX, kMinLayerTilesY, kMaxLayerTiles, kMaxLayerTiles);
  return text;
}

// The size a secondary layer's parallax gives from a width and height;
// false for a parallax (perhaps read from a file) that gives no usable size.
bool sizeFromParallax(const MapLayer& layer, int width, int height, ResizeTarget& target) {
  if (!std::isfinite(layer.parallaxX) || !std::isfinite(layer.parallaxY)) return false;
  target.width = layerSizeForParallax(layer.parallaxX, width, kMinLayerTilesX);
  target.height = layerSizeForParallax(layer.parallaxY, height, kMinLayerTilesY);
  return target.width >= 1 && target.height >= 1;
}

}  // namespace

bool ResizeLayerModel::begin() {
  MapProject& project = session_.project();
  if (!project.contains(project.activeLayer)) return false;
  layer_ = project.activeLayer;
  editsParallax_ = layer_->kind == LayerKind::Secondary;
  layout_ = ResizeLayout{};
  resizeSecondary_ = true;
  keepParallax_ = true;
  newParallax_ = layer_->parallaxX;
  newWidth_ = layer_->width;
  newHeight_ = layer_->height;
  return true;
}

std::string ResizeLayerModel::title() const { return caption(" - Resize Layer"); }

bool ResizeLayerModel::anchorEnabled(int anchor) const {
  if (anchor < 0 || anchor > 8) return false;
  const bool sideColumn = anchor % 3 != 1;
  const bool sideRow = anchor / 3 != 1;
  return !(layout_.stretchHorizontally && sideColumn) && !(layout_.stretchVertically && sideRow);
}

bool ResizeLayerModel::selectAnchor(int anchor) {
  if (!anchorEnabled(anchor)) return false;
  layout_.anchor = anchor;
  return true;
}

void ResizeLayerModel::setStretchHorizontally(bool stretch) {
  layout_.stretchHorizontally = stretch;
  if (stretch) layout_.anchor = layout_.anchor / 3 * 3 + 1;
}

void ResizeLayerModel::setStretchVertically(bool stretch) {
  layout_.stretchVertically = stretch;
  if (stretch) layout_.anchor = 3 + layout_.anchor % 3;
}

void ResizeLayerModel::setResizeSecondary(bool resize) {
  if (resizeSecondaryEnabled()) resizeSecondary_ = resize;
}

std::string ResizeLayerModel::oldParallaxText() const {
  if (layer_ == nullptr) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%0.2f", static_cast<double>(layer_->parallaxX));
  return text;
}

std::string ResizeLayerModel::dimensionsText() const {
  if (layer_ == nullptr) return {};
  return std::to_string(layer_->width) + " x " + std::to_string(layer_->height);
}

std::string ResizeLayerModel::oldWidthText() const { return layer_ != nullptr ? std::to_string(layer_->width) : ""; }

std::string ResizeLayerModel::oldHeightText() const {
  return layer_ != nullptr ? std::to_string(layer_->height) : "";
}

void ResizeLayerModel::setNewSize(int width, int height) {
  newWidth_ = width;
  newHeight_ = height;
}

void ResizeLayerModel::setNewParallaxText(std::string_view text) { newParallax_ = amountOrNaN(text); }

void ResizeLayerModel::setNewSizeText(std::string_view width, std::string_view height) {
  // -1 lies below every size limit.
  setNewSize(parseIntegerText(width).value_or(-1), parseIntegerText(height).value_or(-1));
}

ResizeOutcome ResizeLayerModel::confirm() {
  if (layer_ == nullptr || !session_.project().contains(layer_)) return ResizeOutcome::Closed;
  return editsParallax_ ? confirmParallax() : confirmSize();
}

ResizeOutcome ResizeLayerModel::confirmParallax() {
  const double parallax = newParallax_;
  if (std::fabs(parallax - layer_->parallaxX) < kSameParallaxTolerance) {
    showLayerMessage(session_, kSameParallax, MessageIcon::Information);
    return ResizeOutcome::StayOpen;
  }
  // Written so that NaN fails too.
  if (!(parallax >= 0.0 && parallax <= kLargestParallax)) {
    showLayerMessage(session_, kBadParallax, MessageIcon::Exclamation);
    return ResizeOutcome::StayOpen;
  }
  const MapLayer* primary = session_.project().findLayerOfKind(LayerKind::Primary);
  if (primary == nullptr) {
    showLayerMessage(session_, kNoPrimary, MessageIcon::Stop);
    return ResizeOutcome::Closed;
  }
  ResizeTarget target{layer_, layerSizeForParallax(parallax, primary->width, kMinLayerTilesX),
                      layerSizeForParallax(parallax, primary->height, kMinLayerTilesY), static_cast<float>(parallax)};
  // A small primary layer and a large parallax give no layer at all.
  if (target.width < 1 || target.height < 1) {
    showLayerMessage(session_, kBadParallax, MessageIcon::Exclamation);
    return ResizeOutcome::StayOpen;
  }
  ResizeLayout anchoredOnly;
  anchoredOnly.anchor = layout_.anchor;
  if (resizeLayers(session_, {target}, anchoredOnly)) session_.project().modified = true;
  return ResizeOutcome::Closed;
}

ResizeOutcome ResizeLayerModel::confirmSize() {
  const int width = newWidth_;
  const int height = newHeight_;
  if (width == layer_->width && height == layer_->height) {
    showLayerMessage(session_, kSameSize, MessageIcon::Information);
    return ResizeOutcome::StayOpen;
  }
  if (width < kMinLayerTilesX || width > kMaxLayerTiles || height < kMinLayerTilesY || height > kMaxLayerTiles) {
    showLayerMessage(session_, badSizeMessage(), MessageIcon::Exclamation);
    return ResizeOutcome::StayOpen;
  }

  std::vector<ResizeTarget> targets;
  for (const auto& owned : session_.project().layers()) {
    MapLayer& layer = *owned;
    ResizeTarget target{&layer, width, height};
    if (layer.kind == LayerKind::Secondary) {
      if (!resizeSecondary_) continue;
      if (!sizeFromParallax(layer, width, height, target)) {
        showLayerMessage(session_, kBadParallax, MessageIcon::Exclamation);
        return ResizeOutcome::StayOpen;
      }
    }
    targets.push_back(target);
  }
  resizeLayers(session_, targets, layout_);
  return ResizeOutcome::Closed;
}

}  // namespace qarto
