// The bars with the OpenGL view under Xvfb: an entity of a catalogue row
// with its own sprite reaches the screen. With QARTO_SCREENSHOT_DIR set the
// window is saved there with each bar, the Flags bar's after painting three
// ledges (the pictures in docs/images/ are made so).

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include "app/editor_app.h"
#include "app/side_bars/entities_bar.h"
#include "app/side_bars/flags_bar.h"
#include "app/startup_environment.h"
#include "edit/engine/map_view_engine.h"
#include "platform/qt_settings_store.h"
#include "support/frame_fixture.h"
#include "support/page_files.h"

using namespace qarto;
using namespace qarto::test;

class SideBarsGlTest : public QObject {
  Q_OBJECT

 private slots:
  void flagsAndCatalogueSpritesReachTheScreen() {
    TempFolder folder;  // a catalogue row with a sprite: a green slime with two eyes
    writePage(folder, "slime.bmp",
              makePage(
                  32, 32,
                  [](int x, int y) {
                    if (y >= 17 && y <= 20 && (x == 11 || x == 12 || x == 19 || x == 20)) return y >= 19 ? 3 : 2;
                    return (x - 16) * (x - 16) * 81 + (y - 22) * (y - 22) * 169 <= 81 * 169 ? 1 : 0;
                  },
                  [](std::size_t i) { return i / 3 == 1   ? (i % 3 == 1 ? 200 : 40)
                                             : i / 3 == 3 ? 20
                                                          : 255; }));
    const std::string catalogue =
        "[6]\nName = Slime\nDescription = Oozes along.\\nSplits when hit.\nSprite = slime.bmp\n";
    writeBytes(folder.file("game.ini"), {catalogue.begin(), catalogue.end()});
    ScriptedServices services;
    QtSettingsStore settings;
    settings.writeText("Settings", "EntityCatalogue", folder.file("game.ini"));
    EditorApp app(services, settings);
    QVERIFY(app.start(examplePath("demo.qrm")));
    CMainFrame& frame = *app.frame();
    frame.showNormal();
    frame.resize(1280, 800);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QWidget* view = frame.view();
    const MapGeometry g = frame.engine().geometry();
    const auto at = [&](int x, int y) { return QPoint(g.originX + x * 2 - g.scrollX, g.originY + y * 2 - g.scrollY); };
    const QString shots = qEnvironmentVariable("QARTO_SCREENSHOT_DIR");

    // The demo's three ledges jump-through, by Shift rectangles.
    QTest::keyClick(view, Qt::Key_F5);
    frame.flagsBar().findChild<QCheckBox*>("jumpThrough")->click();
    for (const auto& [left, right, y] : {std::tuple(28, 68, 60), std::tuple(164, 204, 92), std::tuple(276, 316, 76)}) {
      QTest::mousePress(view, Qt::MiddleButton, Qt::ShiftModifier, at(left, y));
      QTest::mouseRelease(view, Qt::MiddleButton, Qt::ShiftModifier, at(right, y));
    }
    QTest::mouseMove(view, at(180, 92));
    if (!shots.isEmpty()) QVERIFY(frame.grab().save(QDir(shots).filePath("editor-flags-bar.png")));

    // A slime spawned on the ground, its foot 10 pixels below the mouse.
    QTest::keyClick(view, Qt::Key_F6);
    emit frame.entitiesBar().findChild<QComboBox*>()->activated(6);
    QTest::mouseMove(view, at(200, 182));
    frame.entitiesBar().findChild<QPushButton*>("spawn")->click();
    QTest::mouseClick(view, Qt::LeftButton, {}, at(200, 182));
    QTest::keyClick(view, Qt::Key_Escape);  // no selection wash over it
    QTRY_COMPARE(view->grab().toImage().pixelColor(at(203, 173)), QColor(40, 200, 40));
    if (!shots.isEmpty()) QVERIFY(frame.grab().save(QDir(shots).filePath("editor-entities-bar.png")));
  }
};

int main(int argc, char** argv) {
  prepareGraphics();
  QApplication application(argc, argv);
  restoreNumericLocale();
  SideBarsGlTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "side_bars_gl_test.moc"
