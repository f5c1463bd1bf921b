#pragma once

#include <string>

#include "io/files/disk_stamp.h"

namespace qarto {

class EditorSession;
class PlatformServices;
struct MapFileHooks;

// Notices when another program (a pull, a script, qarto-cli edit) changes
// the open map's file: by size, time and checksum against the file as the
// editor last read or wrote it.
class DiskWatch {
 public:
  // After every load and save: the file as it now is.
  void settled(const std::string& path);

  // When the editor regains focus: asks about a changed file once per
  // change and reloads it on the user's word. With unsaved changes the
  // question says so and offers "Keep mine". True when the map was reloaded.
  bool checkOnFocus(EditorSession& session, const MapFileHooks& hooks);

  // Before a save replaces `path`: asks when another program changed it.
  // True to go on.
  bool confirmOverwrite(PlatformServices& services, const std::string& path);

 private:
  std::string path_;
  DiskStamp stamp_;         // as read or written
  DiskStamp acknowledged_;  // a change already asked about
};

}  // namespace qarto
