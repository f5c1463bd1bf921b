#include "app/dialogs/dialog_support.h"

#include <QCoreApplication>
#include <QDialog>
#include <QWidget>

#include "app/dialogs/art/dialog_art.h"
#include "model/app_title.h"

namespace qarto {

void setUpDialogWindowTitled(QDialog& dialog, const std::string& title) {
  dialog.setWindowTitle(qs(title));
  const QWidget* owner = dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : nullptr;
  const bool ownerHasIcon = owner != nullptr && !owner->windowIcon().isNull();
  dialog.setWindowIcon(ownerHasIcon ? owner->windowIcon() : programIcon());
}

void setUpDialogWindow(QDialog& dialog, const char* suffix) { setUpDialogWindowTitled(dialog, caption(suffix)); }

std::string programDirectory() { return ss(QCoreApplication::applicationDirPath()); }

}  // namespace qarto
