#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/settings/view_colors.h"

namespace qarto {

class BudgetCounts;
struct EngineState;
class MapViewEngine;
struct MapLayer;
struct StrokePlan;

// How the drawing shows one collision flag bit: the cells whose collision
// word has `bit` set get built-in icon `icon` (none when negative) tinted
// with `tint`. The list is read in order and ends at the first entry that
// is not in use.
struct FlagIcon {
  bool inUse = true;
  int bit = 0;
  ViewColor tint{255, 255, 255, 255};
  int icon = -1;
};

// The program's flag definitions ("Solid" on bit 12, "Jump Through" on
// bit 13) as the drawing shows them.
std::vector<FlagIcon> predefinedFlagIcons();

// The 3D colours of the tab strip, read from the platform by the editor.
struct PanelColors {
  ViewColor face{212, 208, 200, 255};
  ViewColor highlight{255, 255, 255, 255};
  ViewColor light{232, 230, 226, 255};
  ViewColor shadow{128, 128, 128, 255};
  ViewColor darkShadow{64, 64, 64, 255};
};

// Everything one frame reads, all of it const: the engine's state (with
// the project, the tilesets, view, tool and brush state, the entity drag
// and the tile view hover), the colour table, and what the host computed
// for the mouse: the preview plan of the current tool and the collision
// layer that auto-paint would write with it.
struct FrameInput {
  const EngineState* state = nullptr;
  const ViewColors* colors = nullptr;
  const StrokePlan* preview = nullptr;         // null: no brush preview
  const MapLayer* autoPaintLayer = nullptr;    // the preview hides its cells too
  std::span<const FlagIcon> flagIcons;
  PanelColors panel;
  bool showFlags = true;
  bool showCursor = true;  // false: no cursor box, rectangle or hover (qarto-cli render)
  const BudgetCounts* budget = nullptr;  // the tint of cells used once, when it is on
};

// The preview of the engine's current tool at the mouse: fills `plan` and
// the auto-paint layer of `input`; with the used-once tint on, the budget.
void attachPreview(MapViewEngine& engine, StrokePlan& plan, FrameInput& input);

}  // namespace qarto
