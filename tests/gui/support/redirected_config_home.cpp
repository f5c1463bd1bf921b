// Every QSettings of a GUI test program lands in a throw-away folder and
// never in the user's own configuration: HOME and XDG_CONFIG_HOME point at a
// temporary folder before main() runs.

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

struct RedirectedConfigHome {
  QTemporaryDir home;

  RedirectedConfigHome() {
    if (!home.isValid()) {
      std::fputs("cannot create a temporary home folder; refusing to run\n", stderr);
      std::abort();
    }
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  }
};

const RedirectedConfigHome redirectedConfigHome;

}  // namespace
