#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "app/player/player_window.h"
#include "app/view/view_surface.h"
#include "edit/commands/frame_host.h"

class QMenu;
class QToolBar;

namespace qarto {

class CBudgetBar;
class CEntitiesBar;
class CFlagsBar;
class CLayerBar;
class CommandActions;
class EditorCommands;
class MapReadAhead;
class MapViewEngine;
class MenuBuilder;
class RecoveryTimer;
class PlatformServices;
class SettingsStore;
class StatusPanes;
class ViewTilesetHost;
struct GlyphSet;

// The editor's one window: the map view in the middle, the toolbar at the
// top, the layer bar at the left, the status bar, the menus. It owns the
// engine and the commands; every menu item, toolbar button and key goes
// through EditorCommands, whose enabled rules the actions follow after
// every command, every input and whenever a menu opens.
class CMainFrame : public QMainWindow, public FrameHost {
  Q_OBJECT

 public:
  struct Options {
    bool withRunMap = false;  // "baseRom.gba" lies beside the program
    std::string baseRomPath;  // its path
    ViewFactory viewFactory;  // the map view; CMapView unless a test says otherwise
  };

  CMainFrame(PlatformServices& services, SettingsStore& settings, const GlyphSet& glyphs, Options options,
             QWidget* parent = nullptr);
  ~CMainFrame() override;

  MapViewEngine& engine() { return *engine_; }
  EditorCommands& commands() { return *commands_; }
  CommandActions& actions() { return *actions_; }
  CLayerBar& layerBar() { return *layerBar_; }
  CFlagsBar& flagsBar() { return *flagsBar_; }
  CEntitiesBar& entitiesBar() { return *entitiesBar_; }
  CBudgetBar& budgetBar() { return *budgetBar_; }
  QToolBar& toolBar() { return *toolBar_; }
  StatusPanes& statusPanes() { return *status_; }
  // The map view's widget; none once the close sequence destroyed it.
  QWidget* view() const;
  QMenu* mapMenu() const { return mapMenu_; }
  // Recovery copies and the changed-on-disk check.
  RecoveryTimer& recovery() { return *recovery_; }
  QMenu* tileMenu() const { return tileMenu_; }

  // Opens a map by path (the command line, the recent files, a drop);
  // with the command line's, the read that went ahead of the window.
  bool openMapByPath(const std::string& path, MapReadAhead* readAhead = nullptr);
  // While a map is on its way the view shows only its background.
  void holdViewDrawing(bool hold);
  // Runs a command as a menu click does and shows the result.
  void runCommand(int id);
  // After any input or change: actions, status panes, cursor, redraw,
  // focus and the context menu the engine asked for.
  void showEngineState();
  // The question before the window closes or the user's session ends;
  // false keeps the editor going.
  bool allowSessionEnd();

  // FrameHost.
  void runNewMapWizard() override;
  void runAddLayerDialog() override;
  void runResizeLayerDialog() override;
  void runShiftLayerDialog() override;
  void runImportSourceDialog() override;
  void runValidateTilesetDialog() override;
  void runPaletteRemapperDialog() override;
  void showAbout() override;
  bool runPreferencesDialog() override;
  std::optional<ExportOptions> runExportToHeaderDialog() override;
  std::optional<ExportOptions> runExportBinaryDialog() override;
  std::string baseRomPath() const override { return withRunMap_ ? baseRomPath_ : std::string(); }
  std::string playMapRom(const MapRomLaunch& launch) override;
  // The built-in player of the last Run Map, while it is open.
  PlayerWindow* playerWindow() const { return player_; }
  std::optional<MakeCllRequest> runMakeCllDialog() override;
  bool runPictureOptionsDialog(PictureRequest& request) override;
  bool barShown(FrameBar bar) const override;
  void setBarShown(FrameBar bar, bool shown) override;
  using QMainWindow::setWindowTitle;
  void setWindowTitle(const std::string& title) override;
  void closeFrame() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildToolBar();
  void buildSideBars();
  void showSideBars();
  void restoreBarLayout();
  void saveBarLayout();
  bool routesKeys(QObject* receiver) const;
  void showContextMenu(bool tileMenu, int x, int y);

  PlatformServices& services_;
  SettingsStore& settings_;
  std::unique_ptr<ViewTilesetHost> host_;
  std::unique_ptr<MapViewEngine> engine_;
  std::unique_ptr<EditorCommands> commands_;
  std::unique_ptr<ViewSurface> view_;
  CommandActions* actions_ = nullptr;
  MenuBuilder* menus_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  StatusPanes* status_ = nullptr;
  CLayerBar* layerBar_ = nullptr;
  CFlagsBar* flagsBar_ = nullptr;
  CEntitiesBar* entitiesBar_ = nullptr;
  CBudgetBar* budgetBar_ = nullptr;
  QMenu* mapMenu_ = nullptr;
  QMenu* tileMenu_ = nullptr;
  bool showingState_ = false;
  bool withRunMap_ = false;
  std::string baseRomPath_;
  QPointer<PlayerWindow> player_;
  RecoveryTimer* recovery_ = nullptr;
};

// Where the bar layout is kept in the settings store.
inline constexpr const char* kBarLayoutSection = "Qarto";
inline constexpr const char* kBarLayoutKey = "BarState";

}  // namespace qarto
