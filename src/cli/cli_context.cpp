#include "cli/cli_context.h"

#include <fstream>

#include "cli/user_settings.h"
#include "edit/session/map_file_commands.h"
#include "model/settings/memory_settings_store.h"

namespace qarto {

CliContext::CliContext(bool answerYes, Settings settings) : services_(answerYes) {
  if (settings == Settings::User) {
    settings_ = std::make_unique<UserSettings>();
  } else {
    settings_ = std::make_unique<MemorySettingsStore>();
  }
  session_ = std::make_unique<EditorSession>(services_, *settings_, host_);
}

CliContext::~CliContext() = default;

bool CliContext::loadMapFile(const std::string& path) { return loadMap(*session_, path); }

int mapFileRevision(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return 0;
  char line[10] = {};
  in.read(line, 9);
  std::string magic(line, static_cast<std::size_t>(in.gcount()));
  for (int revision = 2; revision <= 7; ++revision) {
    if (magic == "Qarto_v" + std::to_string(revision) + "\n") return revision;
  }
  return 1;
}

}  // namespace qarto
