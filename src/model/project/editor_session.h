#pragma once

#include "model/project/map_project.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

class PlatformServices;
class SettingsStore;
class TilesetHost;

// Everything one open editor works on: the tileset registry, the map project
// (with its undo journal) and the services the commands talk through. The
// map view owns one; the command-line tool and the tests make their own.
class EditorSession {
 public:
  EditorSession(PlatformServices& services, SettingsStore& settings, TilesetHost& host)
      : services_(services), settings_(settings), host_(host), project_(services, registry_) {}
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  MapProject& project() { return project_; }
  const MapProject& project() const { return project_; }
  TilesetRegistry& registry() { return registry_; }
  const TilesetRegistry& registry() const { return registry_; }
  PlatformServices& services() { return services_; }
  SettingsStore& settings() { return settings_; }
  TilesetHost& host() { return host_; }

 private:
  PlatformServices& services_;
  SettingsStore& settings_;
  TilesetHost& host_;
  TilesetRegistry registry_;  // declared before the project, which refers to it
  MapProject project_;
};

}  // namespace qarto
