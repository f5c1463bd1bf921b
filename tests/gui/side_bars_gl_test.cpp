// The Flags and Entities bars with the OpenGL view under Xvfb: flags painted
// through the bar and an entity spawned from a catalogue row with its own
// sprite reach the screen. With QARTO_SCREENSHOT_DIR set the window
// is saved there with each bar (the pictures in docs/images/ are made so).

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/editor_app.h"
#include "app/frame/main_frame.h"
#include "app/side_bars/entities_bar.h"
#include "app/side_bars/flags_bar.h"
#include "app/startup_environment.h"
#include "edit/engine/map_view_engine.h"
#include "io/images/bmp_codec.h"
#include "platform/qt_settings_store.h"
#include "support/frame_fixture.h"
#include "support/page_files.h"
#include "support/scripted_services.h"

using namespace qarto;
using namespace qarto::test;

namespace {

// The window point over map pixel (x, y) of a layer without parallax.
QPoint mapPoint(CMainFrame& frame, int x, int y) {
  const MapGeometry g = frame.engine().geometry();
  return {g.originX + static_cast<int>(x * g.zoom) - g.scrollX, g.originY + static_cast<int>(y * g.zoom) - g.scrollY};
}

QColor shownAt(QWidget* view, QPoint at) { return view->grab().toImage().pixelColor(at); }

void saveScreenshot(QWidget& window, const char* name) {
  const QString folder = qEnvironmentVariable("QARTO_SCREENSHOT_DIR");
  if (!folder.isEmpty()) QVERIFY(window.grab().save(QDir(folder).filePath(QString::fromLatin1(name))));
}

}  // namespace

class SideBarsGlTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    // A catalogue with a sprite of its own: a green slime with two eyes.
    writePage(folder_, "slime.bmp",
              makePage(
                  32, 32,
                  [](int x, int y) {
                    const int dx = x - 16, dy = y - 22;
                    const bool eye = y >= 17 && y <= 20 && (x == 11 || x == 12 || x == 19 || x == 20);
                    if (eye) return static_cast<std::uint8_t>(y >= 19 && (x == 12 || x == 20) ? 3 : 2);
                    return static_cast<std::uint8_t>(dx * dx * 81 + dy * dy * 169 <= 81 * 169 ? 1 : 0);
                  },
                  [](std::size_t i) {
                    return static_cast<std::uint8_t>(i / 3 == 1 ? (i % 3 == 1 ? 200 : 40) : i / 3 == 3 ? 20 : 255);
                  }));
    writeBytes(folder_.file("game.ini"), {std::begin(kCatalogue), std::end(kCatalogue) - 1});
    settings_ = std::make_unique<QtSettingsStore>();
    settings_->writeText("Settings", "EntityCatalogue", folder_.file("game.ini"));
    app_ = std::make_unique<EditorApp>(services_, *settings_);
    QVERIFY(app_->start(examplePath("demo.qrm")));
    CMainFrame& frame = *app_->frame();
    frame.showNormal();
    frame.resize(1280, 800);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
  }

  void cleanup() {
    app_.reset();
    settings_.reset();
  }

  // The three ledges of the demo map become jump-through: one by a drag,
  // two by Shift rectangles.
  void flagsPaintedThroughTheBarShowTheirIcons() {
    CMainFrame& frame = *app_->frame();
    QWidget* view = frame.view();
    QTest::keyClick(view, Qt::Key_F5);
    QTRY_VERIFY(frame.flagsBar().isVisible());
    frame.flagsBar().findChild<QCheckBox*>("jumpThrough")->click();
    QTRY_VERIFY(view->hasFocus());
    const auto cellCentre = [&](int x, int y) { return mapPoint(frame, x * 8 + 4, y * 8 + 4); };
    const QRect cell(mapPoint(frame, 5 * 8, 7 * 8), mapPoint(frame, 6 * 8, 8 * 8) - QPoint(1, 1));
    const QImage before = view->grab().toImage().copy(cell);
    QTest::mousePress(view, Qt::LeftButton, {}, cellCentre(3, 7));
    for (int x = 4; x <= 8; ++x) QTest::mouseMove(view, cellCentre(x, 7));
    QTest::mouseRelease(view, Qt::LeftButton, {}, cellCentre(8, 7));
    QTRY_VERIFY(view->grab().toImage().copy(cell) != before);
    for (const auto& [left, right, row] : {std::tuple(20, 25, 11), std::tuple(34, 39, 9)}) {
      QTest::mousePress(view, Qt::MiddleButton, Qt::ShiftModifier, cellCentre(left, row));
      QTest::mouseRelease(view, Qt::MiddleButton, Qt::ShiftModifier, cellCentre(right, row));
    }
    QTest::mouseMove(view, cellCentre(22, 11));
    QTRY_VERIFY(frame.flagsBar().findChild<QLabel*>("cursorTileProperties")->text().endsWith(" Jump Through\n"));
    saveScreenshot(frame, "editor-flags-bar.png");
  }

  void anEntityOfTheCatalogueShowsItsOwnSprite() {
    CMainFrame& frame = *app_->frame();
    QTest::keyClick(frame.view(), Qt::Key_F6);
    QTRY_VERIFY(frame.entitiesBar().isVisible());
    auto* list = frame.entitiesBar().findChild<QComboBox*>("entityList");
    QCOMPARE(list->itemText(6), QStringLiteral("Slime"));
    emit list->activated(6);
    QTest::mouseMove(frame.view(), mapPoint(frame, 200, 182));
    frame.entitiesBar().findChild<QPushButton*>("spawn")->click();
    QTest::mouseClick(frame.view(), Qt::LeftButton, {}, mapPoint(frame, 200, 182));
    QTest::keyClick(frame.view(), Qt::Key_Escape);  // no selection wash over it
    // The foot stands 10 pixels below the mouse; the sprite's body is green.
    QTRY_COMPARE(shownAt(frame.view(), mapPoint(frame, 203, 173)), QColor(40, 200, 40));
    saveScreenshot(frame, "editor-entities-bar.png");
  }

 private:
  static constexpr char kCatalogue[] =
      "; The entities of a game\n[6]\nName = Slime\nDescription = Oozes along the floor.\\nSplits in two when hit.\n"
      "Sprite = slime.bmp\n";
  TempFolder folder_;
  ScriptedServices services_;
  std::unique_ptr<QtSettingsStore> settings_;
  std::unique_ptr<EditorApp> app_;
};

int main(int argc, char** argv) {
  prepareGraphics();
  QApplication application(argc, argv);
  restoreNumericLocale();
  SideBarsGlTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "side_bars_gl_test.moc"
