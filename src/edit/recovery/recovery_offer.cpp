#include "edit/recovery/recovery_offer.h"

#include <unistd.h>

#include "edit/recovery/recovery_keeper.h"
#include "edit/session/map_file_commands.h"
#include "io/recovery/recovery_copies.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"

namespace qarto {

namespace {

void reportDamaged(PlatformServices& services, const RecoveryCopy& copy) {
  const std::string aside = keepDamagedCopyAside(copy.copyPath);
  std::string text = "The recovery copy " + copy.copyPath + " could not be read.";
  text += aside.empty() ? " It was left where it is." : "\n\nIt was kept aside as " + aside + ".";
  services.messageBox(text, caption(), MessageButtons::Ok, MessageIcon::Exclamation);
}

}  // namespace

bool offerRecoveryCopies(EditorSession& session, const std::string& folder, std::int64_t nowSeconds,
                         const MapFileHooks& hooks, RecoveryKeeper* keeper) {
  PlatformServices& services = session.services();
  for (const RecoveryCopy& copy : listRecoveryCopies(folder)) {
    if (!isOfferable(copy, nowSeconds)) continue;
    if (!copy.headerReadable) {
      reportDamaged(services, copy);
      continue;
    }
    const std::string name = copy.mapPath.empty() ? "an untitled map" : copy.mapPath;
    const std::string question = "Qarto closed before saving " + name + " (changes from " +
                                 recoveryTimeText(copy.writtenSeconds) + "). Restore them?";
    const int answer = services.chooseButton(question, caption(), {kRestoreButton, kDiscardButton, kLaterButton}, 0,
                                             MessageIcon::Question);
    if (answer == 1) {
      ::unlink(copy.copyPath.c_str());
    } else if (answer == 0) {
      std::string message;
      if (!openMapAs(session, copy.copyPath, copy.mapPath, hooks, message)) {
        reportDamaged(services, copy);
        continue;
      }
      if (keeper != nullptr) keeper->adopt(copy.copyPath, copy.mapPath);
      return true;
    }
  }
  return false;
}

}  // namespace qarto
