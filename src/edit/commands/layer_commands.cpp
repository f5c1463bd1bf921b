// The Layers menu: adding, resizing and shifting through their dialogs,
// importing, exporting the active layer, and the layer operations.

#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/layers/cells/layer_eat.h"
#include "edit/layers/cells/layer_flip.h"
#include "edit/layers/cells/layer_merge.h"
#include "edit/layers/layer_clone.h"
#include "edit/layers/layer_delete.h"
#include "edit/layers/layer_import.h"
#include "edit/layers/layer_order.h"
#include "edit/layers/layer_selection.h"
#include "edit/layers/picture/picture_import.h"
#include "export/layer_bmp_export.h"
#include "model/app_title.h"
#include "model/platform_services.h"

namespace qarto {

void addLayerCommands(EditorCommands& commands) {
  MapViewEngine& engine = commands.engine();
  EditorSession& session = engine.session();
  MapProject& project = engine.project();
  FrameHost& frame = commands.frame();
  auto mapOpen = [&project] { return project.hasLayers(); };
  // The Layers menu is open to a map, and to a collision set being edited.
  auto layersMenu = [&project] { return project.hasLayers() || project.collisionSetEditing; };

  commands.add(cmd::kAddLayer, {mapOpen, {}, [&frame, &project] {
                                  if (!project.hasLayers()) {
                                    project.services().messageBox("You must first create a new map workspace",
                                                                  caption(), MessageButtons::Ok,
                                                                  MessageIcon::Exclamation);
                                    return;
                                  }
                                  frame.runAddLayerDialog();
                                }});
  commands.add(cmd::kResizeLayer, {mapOpen, {}, [&frame, &engine] {
                                     if (engine.state().activeLayer() != nullptr) frame.runResizeLayerDialog();
                                   }});
  commands.add(cmd::kShiftLayer, {layersMenu, {}, [&frame, &engine, &project] {
                                    const MapLayer* active = engine.state().activeLayer();
                                    if (active == nullptr) return;
                                    if (active->isEntityLayer()) {
                                      project.services().messageBox(
                                          "Shifting of entity layers is not currently supported.", caption(),
                                          MessageButtons::Ok, MessageIcon::Information);
                                      return;
                                    }
                                    frame.runShiftLayerDialog();
                                  }});
  commands.add(cmd::kImportSourceLayer, {layersMenu, {}, [&frame] { frame.runImportSourceDialog(); }});
  commands.add(cmd::kExportLayerBmp,
               {layersMenu, {}, [&session, &project] { ExportLayerToBmp(project, session.settings()); }});
  commands.add(cmd::kImportBmpLayer, {layersMenu, {}, [&session] { importImageAsLayer(session); }});
  commands.add(cmd::kImportPictureLayer, {mapOpen, {}, [&frame, &session, &commands] {
                                            runPictureImport(
                                                session, false,
                                                [&frame](PictureRequest& r) { return frame.runPictureOptionsDialog(r); },
                                                commands.mapFileHooks());
                                          }});

  // Operations on the active layer; each does nothing without one.
  using SessionAction = void (*)(EditorSession&);
  const std::pair<int, SessionAction> operations[] = {
      {cmd::kNextLayer, selectNextLayer},
      {cmd::kPreviousLayer, selectPreviousLayer},
      {cmd::kShuffleLayerUp, [](EditorSession& s) { shuffleActiveLayerUp(s); }},
      {cmd::kShuffleLayerDown, [](EditorSession& s) { shuffleActiveLayerDown(s); }},
      {cmd::kToggleLayerVisibility, toggleActiveLayerVisible},
      {cmd::kToggleLayerAlpha, toggleActiveLayerAlpha},
      {cmd::kToggleLayerLocking, toggleActiveLayerLocked},
      {cmd::kDeleteLayer, [](EditorSession& s) { deleteActiveLayer(s); }},
      {cmd::kCloneLayer, [](EditorSession& s) { cloneActiveLayer(s); }},
      {cmd::kMergeDown, mergeActiveLayerDown},
      {cmd::kEatHiddenTiles, [](EditorSession& s) { eatHiddenTiles(s); }},
  };
  for (const auto& [id, action] : operations) {
    commands.add(id, {layersMenu, {}, [&session, action = action] { action(session); }});
  }
  for (const bool horizontal : {false, true}) {
    commands.add(horizontal ? cmd::kFlipLayerHorizontally : cmd::kFlipLayerVertically,
                 {layersMenu, {}, [&session, &engine, horizontal] {
                    flipActiveLayer(session, horizontal, engine.collisionFlips());
                  }});
  }
  // Solo and Show All sit in the map's context menu, outside the Layers menu.
  commands.add(cmd::kSoloLayer, {{}, {}, [&session] { soloActiveLayer(session); }});
  commands.add(cmd::kShowAllLayers, {{}, {}, [&session] { showAllLayers(session); }});
}

}  // namespace qarto
