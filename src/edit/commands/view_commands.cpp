// Zoom, view switching, visual aids and the background colour.

#include <cmath>
#include <cstdint>
#include <optional>

#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "model/platform_services.h"

namespace qarto {

namespace {

// Zoom menus tick the entry at trunc(zoom - 0.9): every zoom below 2 ticks 1x.
bool zoomEntryTicked(const ViewState& view, int entry) {
  return static_cast<int>(std::trunc(view.shownZoom() - 0.9f)) == entry;
}

std::uint32_t storedColour(const float (&rgba)[4]) {
  auto channel = [](float v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
  return channel(rgba[0]) | channel(rgba[1]) << 8 | channel(rgba[2]) << 16;
}

void setBackground(ViewState& view, float grey) {
  view.clearColor[0] = grey;
  view.clearColor[1] = grey;
  view.clearColor[2] = grey;
  view.clearColor[3] = 0.0f;
}

}  // namespace

void addViewCommands(EditorCommands& commands) {
  MapViewEngine& engine = commands.engine();
  EngineState& state = engine.state();
  ViewState& view = state.view;
  MapProject& project = engine.project();

  for (int entry = 0; entry < 10; ++entry) {
    commands.add(cmd::kZoomIds[entry], {{},
                                        [&view, entry] { return zoomEntryTicked(view, entry); },
                                        [&engine, entry] { engine.navigator().setZoom(static_cast<float>(entry + 1)); }});
  }
  commands.add(cmd::kZoomIn, {{}, {}, [&engine] { engine.navigator().zoomIn(); }});
  commands.add(cmd::kZoomOut, {{}, {}, [&engine] { engine.navigator().zoomOut(); }});
  commands.add(cmd::kToggleView, {{}, {}, [&engine] { engine.toggleView(); }});
  commands.add(cmd::kMapHome, {{}, {}, [&engine] { engine.navigator().home(); }});

  commands.add(cmd::kGrid, {{},
                            [&view, &project] { return view.tileViewShown ? project.showTileGrid : project.showMapGrid; },
                            [&view, &project] {
                              bool& grid = view.tileViewShown ? project.showTileGrid : project.showMapGrid;
                              grid = !grid;
                            }});
  commands.add(cmd::kGridAlpha, {{},
                                 [&view] { return view.tileViewShown ? view.tileGridAlpha : view.mapGridAlpha; },
                                 [&view] {
                                   bool& alpha = view.tileViewShown ? view.tileGridAlpha : view.mapGridAlpha;
                                   alpha = !alpha;
                                 }});
  commands.add(cmd::kFrameMask, {{}, [&view] { return view.showFrameMask; }, [&view] {
                                   if (!view.tileViewShown) view.showFrameMask = !view.showFrameMask;
                                 }});
  commands.add(cmd::kCenteredView,
               {{}, [&view] { return view.centeredView; }, [&view] { view.centeredView = !view.centeredView; }});
  commands.add(cmd::kPaletteRemapper, {[&engine, &project] {
                                         return engine.mapOpen() && project.registry().countNonCollision() > 0;
                                       },
                                       {},
                                       [&commands] { commands.frame().runPaletteRemapperDialog(); }});
  commands.add(cmd::kShowMarkers,
               {{}, [&view] { return view.showMarkers; }, [&view] { view.showMarkers = !view.showMarkers; }});
  commands.add(cmd::kLayerBounds,
               {{}, [&view] { return view.showLayerBounds; }, [&view] { view.showLayerBounds = !view.showLayerBounds; }});

  commands.add(cmd::kBackgroundBlack, {{}, {}, [&view] { setBackground(view, 0.0f); }});
  commands.add(cmd::kBackgroundGrey, {{}, {}, [&view] { setBackground(view, 0.25f); }});
  commands.add(cmd::kBackgroundCustom, {{}, {}, [&view, &project] {
                                          const std::optional<std::uint32_t> chosen =
                                              project.services().chooseColour("Custom BG Color",
                                                                              storedColour(view.clearColor));
                                          if (!chosen) return;
                                          view.clearColor[0] = static_cast<float>(*chosen & 0xFF) / 255.0f;
                                          view.clearColor[1] = static_cast<float>(*chosen >> 8 & 0xFF) / 255.0f;
                                          view.clearColor[2] = static_cast<float>(*chosen >> 16 & 0xFF) / 255.0f;
                                        }});
}

}  // namespace qarto
