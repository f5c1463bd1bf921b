#pragma once

#include <string>
#include <string_view>

#include "edit/layers/cells/layer_resizing.h"

namespace qarto {

class EditorSession;
struct MapLayer;

// What the Resize Layer dialog does after OK.
enum class ResizeOutcome {
  StayOpen,  // refused with a message; the user may correct the input
  Closed,    // done, or failed with a message
};

// The Resize Layer dialog without its window.
//
// For a secondary active layer the dialog edits its parallax: the layer
// takes the size that parallax gives from the primary layer, placed by the
// anchor, and both its parallax values become the new one. For any other
// active layer it edits a width and height that every primary, collision and
// entity layer takes, and secondary layers (while "Resize Secondary Layers"
// is ticked) take the size their own parallax gives from it; the anchor and
// the stretch choices apply to all. Resizing cannot be undone.
class ResizeLayerModel {
 public:
  explicit ResizeLayerModel(EditorSession& session) : session_(session) {}

  // Opens on the active layer; false without one.
  bool begin();
  // "Qarto v0.99 - Resize Layer".
  std::string title() const;
  // The dialog shows parallax fields (true) or width and height (false).
  bool editsParallax() const { return editsParallax_; }

  // The "Map Anchor" grid, 0 to 8 in reading order; centre at first.
  int anchor() const { return layout_.anchor; }
  // Stretching an axis disables the anchors that differ only along it: the
  // corners whenever either axis stretches, middle-left and middle-right
  // for horizontal, top-centre and bottom-centre for vertical.
  bool anchorEnabled(int anchor) const;
  // False (no change) for a disabled or unknown anchor.
  bool selectAnchor(int anchor);
  // A selected anchor that becomes disabled moves to the middle of its row
  // (horizontal) or column (vertical).
  void setStretchHorizontally(bool stretch);
  void setStretchVertically(bool stretch);
  bool stretchHorizontally() const { return layout_.stretchHorizontally; }
  bool stretchVertically() const { return layout_.stretchVertically; }

  // "Resize Secondary Layers" (ticked at first; disabled for a secondary
  // active layer) and the radio pair it enables. "Keep Size, Adjust
  // Parallax" is offered but has no effect: secondary layers always keep
  // their parallax.
  bool resizeSecondaryEnabled() const { return !editsParallax_; }
  bool resizeSecondary() const { return resizeSecondary_; }
  void setResizeSecondary(bool resize);
  bool parallaxChoiceEnabled() const { return resizeSecondary_; }
  bool keepParallax() const { return keepParallax_; }
  void setKeepParallax(bool keep) { keepParallax_ = keep; }

  // The read-only texts: "Parallax:" old value ("%0.2f") and "Dimensions:"
  // ("%d x %d"), or the old "Width:" and "Height:" ("%d").
  std::string oldParallaxText() const;
  std::string dimensionsText() const;
  std::string oldWidthText() const;
  std::string oldHeightText() const;

  // The edited values; they start at the layer's own.
  double newParallax() const { return newParallax_; }
  void setNewParallax(double parallax) { newParallax_ = parallax; }
  int newWidth() const { return newWidth_; }
  int newHeight() const { return newHeight_; }
  void setNewSize(int width, int height);
  // The edits as typed; text that is no number is refused by confirm() with
  // the parallax or the size message.
  void setNewParallaxText(std::string_view text);
  void setNewSizeText(std::string_view width, std::string_view height);

  // OK: validates, tells the user what is wrong, and resizes.
  ResizeOutcome confirm();

 private:
  ResizeOutcome confirmParallax();
  ResizeOutcome confirmSize();

  EditorSession& session_;
  MapLayer* layer_ = nullptr;
  bool editsParallax_ = false;
  ResizeLayout layout_;
  bool resizeSecondary_ = true;
  bool keepParallax_ = true;
  double newParallax_ = 1.0;
  int newWidth_ = 0;
  int newHeight_ = 0;
};

}  // namespace qarto
