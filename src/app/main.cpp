// qarto: the editor window.

#include <QApplication>
#include <cstdio>

#include "app/editor_app.h"
#include "app/frame/main_frame.h"
#include "app/qt_platform_services.h"
#include "app/startup_environment.h"
#include "platform/qt_settings_store.h"

int main(int argc, char** argv) {
  qarto::prepareGraphics();
  QApplication application(argc, argv);
  qarto::restoreNumericLocale();
  QApplication::setApplicationName(QStringLiteral("Qarto"));
  QApplication::setOrganizationName(QStringLiteral("Vantrel Software"));

  qarto::QtPlatformServices services;
  qarto::QtSettingsStore settings;
  qarto::EditorApp editor(services, settings);
  editor.start(qarto::commandLinePath(argc, argv));
  services.setParentWindow(editor.frame());
  const int result = QApplication::exec();
  if (!settings.sync() && settings.lastFailure()) {
    // The window is gone; the terminal or the session log is all that is left.
    std::fprintf(stderr, "qarto: the settings could not be saved: %s\n",
                 qarto::describeWriteFailure(settings.fileName(), *settings.lastFailure()).c_str());
  }
  return result;
}
