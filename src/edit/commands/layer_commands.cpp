// The Layers menu: adding, resizing and shifting through their dialogs,
// importing, exporting the active layer, and the layer operations.

#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
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
}

}  // namespace qarto
