// Start-up: an empty settings folder gets every default, the bars' layout
// survives a restart, the base ROM keeps Run Map, the command line opens
// its map, dropped maps and pages open; numbers keep "." under a
// decimal-comma locale; on a display without OpenGL the user is told, the
// window opens with a view that draws no map, and the commands keep working.

#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <clocale>

#include "app/editor_app.h"
#include "app/side_bars/entities_bar.h"
#include "app/side_bars/flags_bar.h"
#include "app/layers/layer_bar.h"
#include "app/startup_environment.h"
#include "app/view/editor_view_factory.h"
#include "app/view/no_gl_view.h"
#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "model/settings/settings_defaults.h"
#include "platform/qt_settings_store.h"
#include "support/frame_fixture.h"
#include "support/stand_in_view.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

namespace {

void dropFiles(QWidget* view, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  // Qt delivers a drop to the widget that accepted the drag's entry.
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view, &enter);
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view, &drop);
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void anEmptyFolderGetsEveryDefaultAndTheBarsLayoutSurvivesARestart() {
    TempFolder folder;
    const std::string ini = folder.file("Qarto.ini");
    {
      ScriptedServices services;
      QtSettingsStore settings(ini);
      EditorApp app(services, settings);
      QVERIFY(app.start("", folder.path(), StandInView::factory()));
      QVERIFY(settings.sync());
      QSettings written(QString::fromStdString(ini), QSettings::IniFormat);
      for (const StartupSetting& setting : startupSettings()) {
        QVERIFY2(written.contains(QStringLiteral("Settings/") + setting.key), setting.key);
      }
      QVERIFY(!written.contains("Settings/ClearColor"));  // the view options wait for the first close

      CMainFrame& frame = *app.frame();
      QCOMPARE(frame.dockWidgetArea(&frame.layerBar()), Qt::LeftDockWidgetArea);
      frame.addDockWidget(Qt::RightDockWidgetArea, &frame.layerBar());
      frame.addDockWidget(Qt::RightDockWidgetArea, &frame.flagsBar());
      frame.addDockWidget(Qt::RightDockWidgetArea, &frame.entitiesBar());
      frame.toolBar().hide();
      QVERIFY(frame.close());
      settings.sync();
    }
    ScriptedServices services;
    QtSettingsStore settings(ini);
    EditorApp app(services, settings);
    app.start("", folder.path(), StandInView::factory());
    CMainFrame& frame = *app.frame();
    for (QDockWidget* bar : frame.findChildren<QDockWidget*>()) {
      QVERIFY2(frame.dockWidgetArea(bar) == Qt::RightDockWidgetArea, qPrintable(bar->objectName()));
    }
    QVERIFY(frame.flagsBar().isHidden() && !frame.layerBar().isHidden());  // until their tool is chosen
    QVERIFY(frame.toolBar().isHidden());
  }

  // The command line is one map path, quotes and all; Run Map stays only
  // beside a base ROM.
  void theCommandLineOpensItsMapAndRunMapStaysBesideABaseRom() {
    for (const bool rom : {false, true}) {
      TempFolder folder;
      if (rom) writeBytes(folder.file("baseRom.gba"), {1, 2, 3});
      const std::string path = folder.file("my map.qrm");
      writeBytes(path, readBytes(examplePath("demo.qrm")));
      ScriptedServices services;
      MemorySettingsStore settings;
      EditorApp app(services, settings);
      app.start("\"" + path + "\"", folder.path(), StandInView::factory());
      QCOMPARE(app.frame()->windowTitle(), QString::fromStdString("Qarto v0.99 - " + path));
      QStringList texts;
      for (QAction* action : menuBarMenu(*app.frame(), "&Tools")->actions()) texts << action->text();
      QCOMPARE(texts.contains("&Run Map\tF8"), rom);
    }
  }

  void droppedMapsAndPagesOpen() {
    FrameFixture frame;
    dropFiles(frame->view(), {QString::fromStdString(examplePath("demo.qrm"))});
    QTRY_COMPARE(frame->layerBar().entryCount(), 4);
    const auto pages = frame->engine().session().registry().countNonCollision();
    dropFiles(frame->view(), {QString::fromStdString(examplePath("tiles.bmp"))});
    QTRY_COMPARE(frame->engine().session().registry().countNonCollision(), pages + 1);
  }

  void numbersKeepTheirPointUnderADecimalCommaLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) QSKIP("the de_DE.UTF-8 locale is not generated here");
    restoreNumericLocale();
    FrameFixture frame;
    frame->engine().state().view.mapZoom = 3.5f;
    frame->engine().saveViewOptions();
    QCOMPARE(frame.settings.readText("Settings", "MapPageScale", ""), std::string("3.500000"));
    frame->engine().state().view.mapZoom = 1.0f;
    frame->engine().loadViewOptions();
    QCOMPARE(frame->engine().state().view.mapZoom, 3.5f);
  }

  void withoutOpenGlTheMapOpensAndTheCommandsWork() {
    QVERIFY(!openGlAvailable());
    TempFolder folder;
    ScriptedServices services;
    MemorySettingsStore settings;
    EditorApp app(services, settings);
    QVERIFY(app.start(examplePath("demo.qrm"), folder.path()));
    const ScriptedServices::Message told{"ChoosePixelFormat() failed", "Error", MessageButtons::Ok, MessageIcon::Stop};
    QCOMPARE(services.messages.size(), std::size_t{1});
    QVERIFY(services.messages[0] == told);

    CMainFrame& frame = *app.frame();
    QVERIFY(dynamic_cast<NoGlView*>(frame.view()) != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.repaint();  // painted and put on the screen, not only queued
    QCOMPARE(frame.engine().project().layerCount(), 4);
    QVERIFY(frame.engine().state().view.clientWidth > 0);
    QCOMPARE(frame.view()->grab().toImage().pixelColor(2, 2), QColor(Qt::black));  // the notice on the clear colour

    frame.runCommand(cmd::kToggleView);  // the commands keep working
    QVERIFY(frame.engine().state().view.tileViewShown);
    QCOMPARE(services.messages.size(), std::size_t{1});
  }
};

// As the editor starts: the environment's locale, then Qt, then "." again.
// No GL anywhere: the offscreen platform draws through GLX when it finds a
// display, so the display goes too.
int main(int argc, char** argv) {
  qputenv("QT_XCB_GL_INTEGRATION", "none");
  qunsetenv("DISPLAY");
  prepareGraphics();
  QApplication application(argc, argv);
  StartupTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "startup_test.moc"
