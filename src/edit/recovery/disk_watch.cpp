#include "edit/recovery/disk_watch.h"

#include "edit/session/map_file_commands.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

constexpr const char* kReload = "Reload";
constexpr const char* kKeepMine = "Keep mine";

std::string changedText(const std::string& path) { return path + " was changed by another program"; }

}  // namespace

void DiskWatch::settled(const std::string& path) {
  path_ = path;
  stamp_ = readDiskStamp(path);
  acknowledged_ = stamp_;
}

bool DiskWatch::checkOnFocus(EditorSession& session, const MapFileHooks& hooks) {
  MapProject& project = session.project();
  if (path_.empty() || project.filePath != path_) return false;
  const DiskStamp now = readDiskStamp(path_);
  if (now == stamp_ || now == acknowledged_) return false;
  acknowledged_ = now;  // one question per change
  PlatformServices& services = session.services();
  if (!now.exists) {
    services.messageBox(path_ + " was deleted or moved by another program.\n\nThe map stays open; Save writes it again.",
                        caption(), MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
  }
  bool reload = false;
  if (project.modified) {
    const std::string text = changedText(path_) +
                             ", and this map has unsaved changes.\n\nReload the file and lose your changes, or keep "
                             "yours (saving then asks before replacing the file)?";
    reload = services.chooseButton(text, caption(), {kReload, kKeepMine}, 1, MessageIcon::Exclamation) == 0;
  } else {
    reload = services.messageBox(changedText(path_) + ".  Reload it?", caption(), MessageButtons::YesNo,
                                 MessageIcon::Question) == MessageAnswer::Yes;
  }
  if (!reload) return false;
  // The user chose to lose the changes: no unsaved-changes question again.
  const bool wasModified = project.modified;
  project.modified = false;
  const std::string path = path_;
  if (loadMap(session, path, hooks)) return true;
  project.modified = wasModified;
  return false;
}

bool DiskWatch::confirmOverwrite(PlatformServices& services, const std::string& path) {
  if (path != path_) return true;  // a new name: the save chooser asked
  const DiskStamp now = readDiskStamp(path);
  if (!now.exists || now == stamp_) return true;
  return services.messageBox(changedText(path) + " since Qarto loaded or saved it.  Save over it?", caption(),
                             MessageButtons::YesNo, MessageIcon::Exclamation) == MessageAnswer::Yes;
}

}  // namespace qarto
