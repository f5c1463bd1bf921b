#pragma once

#include <functional>
#include <string>
#include <unordered_map>

#include "edit/commands/frame_host.h"
#include "edit/recovery/disk_watch.h"
#include "edit/session/map_file_commands.h"
#include "edit/view/input_event.h"

namespace qarto {

class MapViewEngine;
struct MapLayer;

// The commands of the editor bound to the engine: for each command id an
// enabled rule, a checked rule and what it does. The window asks the rules
// to enable and tick its menu items and buttons, and runs commands through
// run(); keys go through handleKey(), which tries the accelerators first
// and hands every other key to the view.
class EditorCommands {
 public:
  struct Handler {
    std::function<bool()> enabled;  // unset: always enabled
    std::function<bool()> checked;  // unset: never ticked
    std::function<void()> run;
  };

  // Without a frame host every dialog counts as cancelled.
  explicit EditorCommands(MapViewEngine& engine, FrameHost* frame = nullptr);

  bool known(int id) const { return handlers_.count(id) != 0; }
  // A command without a handler is disabled.
  bool enabled(int id) const;
  bool checked(int id) const;
  // Runs the command when it is enabled; false when it was not run.
  bool run(int id);

  // A key press as the editor window delivers it: a bound accelerator runs
  // its command (a disabled one swallows the key), any other key goes to
  // the view. True when an accelerator took the key.
  bool handleKey(const KeyEvent& key);

  // A click on a layer in the layer bar: it becomes the active layer.
  void selectLayer(MapLayer* layer);
  // The first layer from the bottom with that name; false when none has it.
  bool selectLayerNamed(const std::string& name);

  void add(int id, Handler handler) { handlers_[id] = std::move(handler); }
  // The handler added for `id` so far (empty when none), to build on.
  Handler handler(int id) const { return known(id) ? handlers_.at(id) : Handler{}; }
  MapViewEngine& engine() { return engine_; }
  FrameHost& frame() { return *frame_; }
  // The map file commands tell the window its new title through these.
  MapFileHooks mapFileHooks();
  // The window title as the map file commands last set it, with " *" while
  // the project has unsaved changes. The window shows it after every
  // command and input, so the mark follows undo, redo and saves.
  std::string windowTitle() const;
  // The open map's file as last read or written, to notice other programs' changes.
  DiskWatch& diskWatch() { return diskWatch_; }

 private:
  MapViewEngine& engine_;
  FrameHost defaultFrame_;
  FrameHost* frame_;
  std::unordered_map<int, Handler> handlers_;
  std::string title_;
  DiskWatch diskWatch_;
};

// The handler sets, by area.
void addViewCommands(EditorCommands& commands);
void addBrushCommands(EditorCommands& commands);
void addToolCommands(EditorCommands& commands);
void addFileCommands(EditorCommands& commands);
void addLayerCommands(EditorCommands& commands);
// Cut, Copy, Paste, Delete, Select All, the Select tool and the scope; also
// Esc's dropping of a paste or a selection before it clears the brush.
void addRegionCommands(EditorCommands& commands);
void addBudgetCommands(EditorCommands& commands);
// An export whose messages offer "Show": the cells chosen are shown in the map view.
void exportShowingCells(MapViewEngine& engine, ExportOptions options,
                        ExportOutcome (*run)(EditorSession&, const ExportOptions&));

}  // namespace qarto
