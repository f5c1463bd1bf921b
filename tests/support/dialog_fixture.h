#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "edit/session/map_file_commands.h"
#include "edit/session/tileset_commands.h"
#include "model/project/editor_session.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset_host.h"
#include "support/scripted_services.h"

namespace qarto::test {

// A settings store that also notes every key written ("Section/Key").
class LoggingSettingsStore : public MemorySettingsStore {
 public:
  void writeInt(const std::string& section, const std::string& key, int value) override {
    written.insert(section + "/" + key);
    MemorySettingsStore::writeInt(section, key, value);
  }
  void writeText(const std::string& section, const std::string& key, const std::string& value) override {
    written.insert(section + "/" + key);
    MemorySettingsStore::writeText(section, key, value);
  }
  std::set<std::string> written;
};

// An editor session on scripted services and settings held in memory, with
// the collision tileset loaded as at start-up.
struct DialogFixture {
  ScriptedServices services;
  LoggingSettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session{services, settings, host};
  std::vector<std::string> titles;

  DialogFixture() { EXPECT_TRUE(loadCollisionTileset(session)); }

  MapProject& project() { return session.project(); }
  MapFileHooks hooks() {
    MapFileHooks hooks;
    hooks.setWindowTitle = [this](const std::string& title) { titles.push_back(title); };
    return hooks;
  }
  // Layer names from the bottom of the stack up.
  std::vector<std::string> stackNames() const {
    std::vector<std::string> names;
    for (const auto& layer : session.project().layers()) names.push_back(layer->nameText());
    return names;
  }
};

}  // namespace qarto::test
