#pragma once

#include <memory>
#include <string>

#include "cli/cli_services.h"
#include "model/project/editor_session.h"
#include "model/settings/settings_store.h"
#include "model/tileset/tileset_host.h"

namespace qarto {

// What a command works on: the services, a settings store and a session.
// Commands that only read maps use a private in-memory store so that the
// user's preferences (the recent-file list among them) stay untouched;
// export uses the user's own store, as the editor does, but for the
// recent-file list.
class CliContext {
 public:
  enum class Settings { Private, User };
  CliContext(bool answerYes, Settings settings);
  ~CliContext();

  CliServices& services() { return services_; }
  SettingsStore& settings() { return *settings_; }
  EditorSession& session() { return *session_; }

  // Loads a map into the session; false (with exit reason shown) on failure.
  bool loadMapFile(const std::string& path);

 private:
  CliServices services_;
  std::unique_ptr<SettingsStore> settings_;
  HeadlessTilesetHost host_;
  std::unique_ptr<EditorSession> session_;
};

// The revision of a map file from its first line (1 when no magic matches),
// 0 when the file cannot be read.
int mapFileRevision(const std::string& path);

}  // namespace qarto
