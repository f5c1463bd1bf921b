#include "app/dialogs/dialog_support.h"

#include <QCoreApplication>
#include <QDialog>

#include "app/dialogs/art/dialog_art.h"
#include "model/app_title.h"

namespace qarto {

void setUpDialogWindow(QDialog& dialog, const char* suffix) {
  dialog.setWindowTitle(qs(caption(suffix)));
  dialog.setWindowIcon(programIcon());
}

std::string programDirectory() { return ss(QCoreApplication::applicationDirPath()); }

}  // namespace qarto
