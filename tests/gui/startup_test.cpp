// Start-up: an empty settings folder gets every default, the bar layout
// survives a restart, the base ROM keeps Run Map, the command line opens
// its map, dropped maps and pages open, titles after loads; and numbers
// keep "." under a decimal-comma locale.

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
#include <cstdio>

#include "app/editor_app.h"
#include "app/frame/main_frame.h"
#include "app/layers/layer_list_dialog.h"
#include "app/startup_environment.h"
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
  void anEmptySettingsFolderGetsEveryDefault() {
    TempFolder folder;
    const std::string ini = folder.file("Qarto.ini");
    {
      ScriptedServices services;
      QtSettingsStore settings(ini);
      EditorApp app(services, settings);
      QVERIFY(app.start("", folder.path(), StandInView::factory()));
      QVERIFY(settings.sync());
    }
    QSettings written(QString::fromStdString(ini), QSettings::IniFormat);
    QCOMPARE(written.childGroups(), QStringList{"Settings"});
    QCOMPARE(written.allKeys().size(), 26);
    QCOMPARE(written.value("Settings/CollisionTileColor").toInt(), 0x0000FFFF);
    QCOMPARE(written.value("Settings/CollisionInactiveColor").toInt(), 0x00C8B200);
    QCOMPARE(written.value("Settings/BrushAlphaValue").toInt(), 11);
    QCOMPARE(written.value("Settings/LayerAlphaValue").toInt(), 8);
    QCOMPARE(written.value("Settings/ScreenWidth").toInt(), 240);
    QCOMPARE(written.value("Settings/ScreenHeight").toInt(), 160);
    QCOMPARE(written.value("Settings/DefMapPath").toString(), QString());
    QCOMPARE(written.value("Settings/UseDefTilesetPath").toInt(), 0);
    for (const StartupSetting& setting : startupSettings()) {
      QVERIFY2(written.contains(QStringLiteral("Settings/") + setting.key), setting.key);
    }
    // The view options wait for the first close.
    QVERIFY(!written.contains("Settings/ClearColor"));
  }

  void theBarLayoutSurvivesARestart() {
    TempFolder folder;
    const std::string ini = folder.file("Qarto.ini");
    {
      ScriptedServices services;
      QtSettingsStore settings(ini);
      EditorApp app(services, settings);
      app.start("", folder.path(), StandInView::factory());
      CMainFrame& frame = *app.frame();
      QCOMPARE(frame.dockWidgetArea(&frame.layerBar()), Qt::LeftDockWidgetArea);
      frame.addDockWidget(Qt::RightDockWidgetArea, &frame.layerBar());
      frame.toolBar().hide();
      QVERIFY(frame.close());
      settings.sync();
    }
    ScriptedServices services;
    QtSettingsStore settings(ini);
    EditorApp app(services, settings);
    app.start("", folder.path(), StandInView::factory());
    CMainFrame& frame = *app.frame();
    QCOMPARE(frame.dockWidgetArea(&frame.layerBar()), Qt::RightDockWidgetArea);
    QVERIFY(frame.toolBar().isHidden());
    QVERIFY(!frame.layerBar().isHidden());
  }

  void theLayerBarDocksOnlyAtTheSides() {
    FrameFixture frame;
    QCOMPARE(frame->layerBar().allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  }

  void runMapStaysOnlyBesideABaseRom() {
    for (const bool rom : {false, true}) {
      TempFolder folder;
      if (rom) writeBytes(folder.file("baseRom.gba"), {1, 2, 3});
      ScriptedServices services;
      MemorySettingsStore settings;
      EditorApp app(services, settings);
      app.start("", folder.path(), StandInView::factory());
      QCOMPARE(app.baseRom(), rom);
      QMenu* tools = menuBarMenu(*app.frame(), "&Tools");
      QStringList texts;
      for (QAction* action : tools->actions()) texts << action->text();
      QStringList expected = {"&Palette Remapper...", "&Validate Tileset..."};
      if (rom)
        expected << "&Run Map\tF8"
                 << "Save &ROM As...";
      QCOMPARE(texts, expected);
    }
  }

  void theCommandLineIsOneMapPath() {
    TempFolder folder;
    const std::string path = folder.file("my map.qrm");
    writeBytes(path, readBytes(examplePath("demo.qrm")));
    ScriptedServices services;
    MemorySettingsStore settings;
    EditorApp app(services, settings);
    app.start("\"" + path + "\"", folder.path(), StandInView::factory());
    QCOMPARE(app.frame()->windowTitle(), QString::fromStdString("Qarto v0.99 - " + path));
    QCOMPARE(app.frame()->engine().project().layerCount(), 4);
    QVERIFY(app.frame()->isMaximized() || app.frame()->isVisible());
  }

  void aFailedLoadKeepsTheOpenMapAndItsTitle() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    TempFolder folder;
    writeBytes(folder.file("broken.qrm"), {'Q', 'a', 'r', 't', 'o', '_', 'v', '7', '\n', 1, 2});
    QVERIFY(!frame->openMapByPath(folder.file("broken.qrm")));
    QCOMPARE(frame->windowTitle(), QString::fromStdString("Qarto v0.99 - " + examplePath("demo.qrm")));
    QCOMPARE(frame->engine().project().layerCount(), 4);
  }

  void aDroppedMapOpens() {
    FrameFixture frame;
    dropFiles(frame->view(), {QString::fromStdString(examplePath("demo.qrm"))});
    QTRY_COMPARE(frame->engine().project().layerCount(), 4);
    QCOMPARE(frame->windowTitle(), QString::fromStdString("Qarto v0.99 - " + examplePath("demo.qrm")));
    QCOMPARE(frame->layerBar().entryCount(), 4);
  }

  void aDroppedPageBecomesATileset() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    const auto pages = frame->engine().session().registry().countNonCollision();
    dropFiles(frame->view(), {QString::fromStdString(examplePath("tiles.bmp"))});
    QTRY_COMPARE(frame->engine().session().registry().countNonCollision(), pages + 1);
  }

  void numbersKeepTheirPointUnderADecimalCommaLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) QSKIP("the de_DE.UTF-8 locale is not generated here");
    char text[32];
    std::snprintf(text, sizeof text, "%f", 0.5);
    QCOMPARE(QString(text), QStringLiteral("0,500000"));  // the locale is in force
    restoreNumericLocale();
    std::snprintf(text, sizeof text, "%f", 0.5);
    QCOMPARE(QString(text), QStringLiteral("0.500000"));
    FrameFixture frame;
    frame->engine().state().view.mapZoom = 3.5f;
    frame->engine().state().view.clearColor[0] = 0.25f;
    frame->engine().saveViewOptions();
    QCOMPARE(frame.settings.readText("Settings", "MapPageScale", ""), std::string("3.500000"));
    QCOMPARE(frame.settings.readText("Settings", "ClearColor", ""), std::string("0.250000 0.000000 0.000000 0.000000"));
    frame->engine().loadViewOptions();
    QCOMPARE(frame->engine().state().view.mapZoom, 3.5f);
  }
};

// As the editor starts: the environment's locale, then Qt, then "." again.
int main(int argc, char** argv) {
  prepareGraphics();
  QApplication application(argc, argv);
  StartupTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "startup_test.moc"
