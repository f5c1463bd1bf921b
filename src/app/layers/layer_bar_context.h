#pragma once

#include <functional>

class QMenu;

namespace qarto {

class EditorCommands;
class MapProject;
class MapViewEngine;
struct MapLayer;

// What the layer bar's entries reach: the project (to look their layers
// up), the commands (a click selects a layer), the shared flag display
// switch, the Layers menu and the frame's redraw.
class LayerBarContext {
 public:
  LayerBarContext(MapViewEngine& engine, EditorCommands& commands) : engine_(engine), commands_(commands) {}

  MapProject& project();
  bool contains(const MapLayer* layer);
  void selectLayer(MapLayer* layer);
  bool showFlags() const;
  void setShowFlags(bool on);

  QMenu* layersMenu = nullptr;
  std::function<void()> changed;          // after any edit through the bar
  std::function<void()> flagsChanged;     // every entry's flag toggle follows

 private:
  MapViewEngine& engine_;
  EditorCommands& commands_;
};

}  // namespace qarto
