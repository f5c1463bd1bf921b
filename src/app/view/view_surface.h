#pragma once

#include <QWidget>
#include <functional>
#include <memory>

namespace qarto {

class MapViewEngine;
class PlatformServices;
class SettingsStore;
class ViewTilesetHost;

// What the map view works with: the engine it shows, the tileset host whose
// textures it keeps in its context, and where the colours and messages come
// from.
struct ViewContext {
  MapViewEngine& engine;
  ViewTilesetHost& host;
  SettingsStore& settings;
  PlatformServices& services;
};

// The widget in the middle of the main frame that shows the engine's state.
// The editor's is CMapView (OpenGL); tests of the shell use a plain widget.
// Input reaches the engine through ViewInput, whichever widget it is.
class ViewSurface {
 public:
  virtual ~ViewSurface() = default;
  virtual QWidget* widget() = 0;
  // The engine's state changed: show it.
  virtual void redraw() { widget()->update(); }
  // Reads the colour table from the settings (at creation and after the
  // preferences were confirmed).
  virtual void reloadColors() = 0;
  // While held the view draws only its background (a map is on its way);
  // released, it draws again.
  virtual void holdDrawing(bool hold) { (void)hold; }
  // Empties the project while the textures can still be deleted, then lets
  // the drawing context go. The last call before the view is destroyed.
  virtual void shutDown() = 0;
};

using ViewFactory = std::function<std::unique_ptr<ViewSurface>(const ViewContext& context, QWidget* parent)>;

}  // namespace qarto
