// The File menu and the frame's own commands: maps, tile pages, exports,
// collision sets, preferences, recent files, bars, about and exit.

#include <vector>

#include "edit/collision/make_cll_wizard.h"
#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/layers/picture/picture_import.h"
#include "edit/run_map/run_map.h"
#include "edit/session/collision_set_commands.h"
#include "edit/session/map_file_commands.h"
#include "edit/session/tileset_commands.h"
#include "export/binary/binary_export.h"
#include "edit/tmx/tiled_map_commands.h"
#include "export/export_preparation.h"
#include "export/layer_bmp_export.h"
#include "io/files/recent_file_list.h"
#include "model/app_title.h"

namespace qarto {

void addFileCommands(EditorCommands& commands) {
  MapViewEngine& engine = commands.engine();
  EditorSession& session = engine.session();
  MapProject& project = engine.project();
  FrameHost& frame = commands.frame();
  auto mapOpen = [&project] { return project.hasLayers(); };
  auto hooks = [&commands] { return commands.mapFileHooks(); };

  commands.add(cmd::kNewMapWizard, {{}, {}, [&frame] { frame.runNewMapWizard(); }});
  commands.add(cmd::kOpenMap, {{}, {}, [&session, hooks] { loadMap(session, std::nullopt, hooks()); }});
  commands.add(cmd::kNewMapFromPicture, {{}, {}, [&frame, &session, hooks] {
                                           runPictureImport(
                                               session, true,
                                               [&frame](PictureRequest& r) { return frame.runPictureOptionsDialog(r); },
                                               hooks());
                                         }});
  commands.add(cmd::kOpenTilesets, {{}, {}, [&session] { openTilesets(session); }});
  commands.add(cmd::kSaveMap, {mapOpen, {}, [&session, hooks] { saveMap(session, false, hooks()); }});
  commands.add(cmd::kSaveMapAs, {mapOpen, {}, [&session, hooks] { saveMap(session, true, hooks()); }});
  commands.add(cmd::kExportBinary, {mapOpen, {}, [&frame, &engine] {
                                      if (std::optional<ExportOptions> options = frame.runExportBinaryDialog()) {
                                        exportShowingCells(engine, *options, exportBinary);
                                      }
                                    }});
  commands.add(cmd::kExportHeaders, {mapOpen, {}, [&frame, &engine] {
                                       if (std::optional<ExportOptions> options = frame.runExportToHeaderDialog()) {
                                         exportShowingCells(engine, *options, exportToHeaders);
                                       }
                                     }});
  // The Export to Header dialog, then the files of a preset whatever it shows.
  for (const auto& [id, chosen] :
       {std::pair{cmd::kExportGrit, ExportPreset::Grit}, {cmd::kExportButano, ExportPreset::Butano}}) {
    commands.add(id, {mapOpen, {}, [&frame, &session, preset = chosen] {
                        if (std::optional<ExportOptions> options = frame.runExportToHeaderDialog()) {
                          options->preset = preset;
                          exportToHeaders(session, *options);
                        }
                      }});
  }
  commands.add(cmd::kMakeCll, {{}, {}, [&frame, &session, hooks] {
                                 if (!confirmDiscard(session, hooks())) return;
                                 if (std::optional<MakeCllRequest> request = frame.runMakeCllDialog()) {
                                   runMakeCllWizard(session, *request, hooks());
                                 }
                               }});
  commands.add(cmd::kExportCollision, {[&project] { return project.collisionSetEditing; }, {},
                                       [&session] { exportCollisionSet(session); }});
  commands.add(cmd::kPreferences, {{}, {}, [&frame, &engine] {
                                     if (frame.runPreferencesDialog()) engine.reloadPreferences();
                                   }});
  for (int i = 0; i < kRecentFileCount; ++i) {
    auto entry = [&session, i]() -> std::optional<std::string> {
      const std::vector<std::string> files = RecentFileList(session.settings()).entries();
      if (i >= static_cast<int>(files.size())) return std::nullopt;
      return files[static_cast<std::size_t>(i)];
    };
    commands.add(cmd::kRecentFile1 + i, {[entry] { return entry().has_value(); }, {}, [&session, entry, hooks] {
                                           if (std::optional<std::string> path = entry()) loadMap(session, path, hooks());
                                         }});
  }
  commands.add(cmd::kExit, {{}, {}, [&frame] { frame.closeFrame(); }});

  const std::pair<int, FrameBar> bars[] = {{cmd::kToggleToolBar, FrameBar::ToolBar},
                                           {cmd::kToggleLayerBar, FrameBar::LayerBar},
                                           {cmd::kToggleStatusBar, FrameBar::StatusBar},
                                           {cmd::kToggleBudgetBar, FrameBar::BudgetBar}};
  for (const auto& [id, bar] : bars) {
    commands.add(id, {{}, [&frame, bar = bar] { return frame.barShown(bar); },
                      [&frame, bar = bar] { frame.setBarShown(bar, !frame.barShown(bar)); }});
  }
  commands.add(cmd::kValidateTileset, {{}, {}, [&frame] { frame.runValidateTilesetDialog(); }});
  // Both are in the menu only beside a base ROM.
  auto romReady = [&project, &frame] { return project.hasLayers() && !frame.baseRomPath().empty(); };
  commands.add(cmd::kRunMap, {romReady, {}, [&engine, &session, &frame] {
                                engine.endStroke();
                                const std::optional<MapRomLaunch> launch =
                                    prepareRunMap(session, engine.state().view, frame.baseRomPath());
                                if (!launch) return;
                                const std::string failure = frame.playMapRom(*launch);
                                if (!failure.empty()) runMapFailed(session, *launch, failure);
                              }});
  commands.add(cmd::kSaveRomAs, {romReady, {}, [&engine, &session, &frame] {
                                   saveRomAs(session, engine.state().view, frame.baseRomPath());
                                 }});
  commands.add(cmd::kAbout, {{}, {}, [&frame] { frame.showAbout(); }});

  commands.add(cmd::kRemoveTileset, {{}, {}, [&session] { removeCurrentTileset(session); }});
  commands.add(cmd::kUpdateTileset, {{}, {}, [&session] { updateCurrentTileset(session); }});
  commands.add(cmd::kExportTileset, {{}, {}, [&session] { exportCurrentTileset(session); }});
  commands.add(cmd::kUniqueTileCount, {mapOpen, {}, [&project] {
                                         ExportRequest request;
                                         request.countOnly = true;
                                         prepareExport(project, request);
                                       }});
  const EntityCatalogue& catalogue = engine.state().entityCatalogue;
  commands.add(cmd::kImportTiledMap, {{}, {}, [&session, &catalogue, hooks] {
                                        importTiledMap(session, catalogue, std::nullopt, hooks());
                                      }});
  commands.add(cmd::kExportTiledMap, {mapOpen, {}, [&session, &catalogue] { exportTiledMap(session, catalogue); }});
}

}  // namespace qarto
