// The map view under Xvfb, both ways it reaches the screen: the QOpenGLWidget
// view (as on a GL in hardware) and the raster view (llvmpipe's choice).
// Each one's picture equals the renderer's off-screen frame of the same
// state; the GL view shows only the background while a map is on its way and
// uploads every page again in a recreated context; the raster view's parts
// drawn again after scrolls, mouse moves and strokes make the whole frame.
// The side bars: flags painted with the mouse reach the cells and the
// read-out, a catalogue row's own sprite reaches the screen (with
// QARTO_SCREENSHOT_DIR set the window is saved there with each bar, the
// pictures in docs/images/ are made so).

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/editor_app.h"
#include "app/frame/main_frame.h"
#include "app/side_bars/entities_bar.h"
#include "app/side_bars/flags_bar.h"
#include "app/startup_environment.h"
#include "app/view/map_view.h"
#include "app/view/raster/raster_map_view.h"
#include "app/view/view_presentation.h"
#include "edit/brush/brush.h"
#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "model/tileset/tileset_registry.h"
#include "platform/qt_settings_store.h"
#include "support/frame_fixture.h"
#include "support/page_files.h"
#include "support/scripted_services.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

namespace {

bool texturesLive(CMapView& view, const TilesetRegistry& registry) {
  view.makeCurrent();
  bool live = !registry.empty();
  for (const auto& [id, tileset] : registry) {
    live = live && tileset->textureReady && tileset->textureName != 0 &&
           view.context()->functions()->glIsTexture(tileset->textureName);
  }
  view.doneCurrent();
  return live;
}

// Red, green and blue as the frame stores them. A grabbed GL frame is
// labelled premultiplied; converting it would divide by the alpha the
// blending left behind, which the screen never shows.
QImage opaque(QImage image) {
  if (image.format() == QImage::Format_RGBA8888 || image.format() == QImage::Format_RGBA8888_Premultiplied) {
    image.reinterpretAsFormat(QImage::Format_RGBX8888);
  } else if (image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_ARGB32_Premultiplied) {
    image.reinterpretAsFormat(QImage::Format_RGB32);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

// Pixels whose red, green or blue differ (-1: not the same size).
int differingPixels(const QImage& first, const QImage& second) {
  if (first.size() != second.size()) return -1;
  const QImage a = opaque(first), b = opaque(second);
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* p = reinterpret_cast<const quint32*>(a.constScanLine(y));
    const auto* q = reinterpret_cast<const quint32*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) count += ((p[x] ^ q[x]) & 0xFFFFFF) != 0;
  }
  return count;
}

}  // namespace

class MapViewGlTest : public QObject {
  Q_OBJECT

  // The editor on examples/demo.qrm, its view shown as `presentation` says
  // ("gl", or "" for the renderer's choice).
  void start(const char* presentation, const std::string& catalogue = {}) {
    qputenv("QARTO_VIEW_PRESENTATION", presentation);
    settings_ = std::make_unique<QtSettingsStore>();
    if (!catalogue.empty()) settings_->writeText("Settings", "EntityCatalogue", catalogue);
    app_ = std::make_unique<EditorApp>(services_, *settings_);
    QVERIFY(app_->start(examplePath("demo.qrm")));
    app_->frame()->showNormal();
    app_->frame()->resize(1280, 800);
    QVERIFY(QTest::qWaitForWindowExposed(app_->frame()));
    gl_ = qobject_cast<CMapView*>(app_->frame()->view());
    raster_ = dynamic_cast<CRasterMapView*>(app_->frame()->view());
    if (gl_ != nullptr) QTRY_VERIFY(gl_->context() != nullptr && gl_->context()->isValid());
  }

  QImage shown() {
    if (gl_ != nullptr) return gl_->grabFramebuffer();
    raster_->redraw();
    return raster_->grab().toImage();
  }

 private slots:
  void cleanup() {
    app_.reset();
    settings_.reset();
    gl_ = nullptr;
    raster_ = nullptr;
  }

  void theRendererStringChoosesThePresentation() {
    QCOMPARE(choosePresentation("llvmpipe (LLVM 15.0.6, 256 bits)", ""), ViewPresentation::Raster);
    QCOMPARE(choosePresentation("Mesa Intel(R) UHD Graphics 620 (KBL GT2)", ""), ViewPresentation::GlWidget);
    QCOMPARE(choosePresentation("llvmpipe (LLVM 15.0.6, 256 bits)", "gl"), ViewPresentation::GlWidget);
    QCOMPARE(choosePresentation("NVIDIA GeForce GTX 1060/PCIe/SSE2", "raster"), ViewPresentation::Raster);
  }

  void thePictureEqualsTheRenderersOffscreenFrame_data() {
    QTest::addColumn<QString>("presentation");
    QTest::addColumn<int>("zoom");
    for (const char* presentation : {"gl", "raster"}) {
      for (const int zoom : {1, 2, 3, 4}) QTest::addRow("%s zoom %d", presentation, zoom) << presentation << zoom;
    }
  }

  // At every zoom step, flag icons included: they are drawn one texel per
  // pixel, so no pixel centre falls on a texel edge where drivers differ.
  void thePictureEqualsTheRenderersOffscreenFrame() {
    QFETCH(QString, presentation);
    QFETCH(int, zoom);
    start(presentation == "gl" ? "gl" : "");
    QVERIFY2((presentation == "gl" ? gl_ != nullptr : raster_ != nullptr), "llvmpipe gets the raster view");
    MapViewEngine& engine = app_->frame()->engine();
    ViewState& view = engine.state().view;
    view.mapZoom = static_cast<float>(zoom);
    view.scrollX = -29;
    view.scrollY = -11;
    view.showFrameMask = false;
    view.showLayerBounds = false;
    view.mouseInside = false;
    engine.project().showMapGrid = false;
    const QImage picture = shown();

    settings_->sync();  // qarto-cli reads the same preferences
    TempFolder folder;
    const QString png = QString::fromStdString(folder.file("frame.png"));
    QProcess cli;
    cli.start(QStringLiteral(QARTO_CLI),
              {"render", QString::fromStdString(examplePath("demo.qrm")), "-o", png, "--size",
               QStringLiteral("%1x%2").arg(view.clientWidth).arg(view.clientHeight), "--zoom", QString::number(zoom),
               "--scroll", "-29,-11"});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    const QImage offscreen(png);
    if (differingPixels(picture, offscreen) != 0) {
      picture.save(QStringLiteral("map_view_%1_zoom%2.png").arg(presentation).arg(zoom));
      offscreen.save(QStringLiteral("map_view_offscreen_zoom%1.png").arg(zoom));
    }
    QCOMPARE(differingPixels(picture, offscreen), 0);
  }

  // While a map is on its way the view shows only its background; a
  // recreated context gets every page's texture again.
  void aHeldViewDrawsOnlyItsBackgroundAndARecreatedContextItsTextures() {
    start("gl");
    const ViewState& view = app_->frame()->engine().state().view;
    const QImage before = shown();
    app_->frame()->holdViewDrawing(true);
    const QImage held = shown();
    app_->frame()->holdViewDrawing(false);
    QCOMPARE(differingPixels(shown(), before), 0);
    QImage background(held.size(), QImage::Format_RGB32);
    background.fill(QColor::fromRgbF(view.clearColor[0], view.clearColor[1], view.clearColor[2]));
    QVERIFY(differingPixels(before, background) > 0);
    QCOMPARE(differingPixels(held, background), 0);

    const TilesetRegistry& registry = app_->frame()->engine().session().registry();
    QTRY_VERIFY(texturesLive(*gl_, registry));
    QOpenGLContext* first = gl_->context();
    // Moving the view into another window makes Qt create a new context.
    QWidget other;
    other.resize(before.size() / gl_->devicePixelRatioF());
    QWidget* taken = app_->frame()->takeCentralWidget();
    taken->setParent(&other);
    taken->resize(other.size());
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QTRY_VERIFY(gl_->context() != nullptr && gl_->context() != first);
    QTRY_VERIFY(texturesLive(*gl_, registry));
    QCOMPARE(differingPixels(shown(), before), 0);
    app_->frame()->setCentralWidget(taken);
  }

  // What a user does between two whole frames: the picture kept and
  // brought up to date part by part is the whole frame.
  void thePartsDrawnAgainMakeTheWholeFrame() {
    start("");
    QVERIFY(raster_ != nullptr);
    MapViewEngine& engine = app_->frame()->engine();
    // Cell (x, y) of the map at (16 x, 16 y) of the view.
    ViewState& view = engine.state().view;
    view.mapZoom = 2.0f;
    view.centeredView = false;
    view.scrollX = view.scrollY = 0;
    engine.project().showMapGrid = true;
    // The sky moves with the rest: scrolls move the kept picture.
    engine.project().layerAt(0)->parallaxX = engine.project().layerAt(0)->parallaxY = 1.0f;
    // A brush of two page tiles that differ from the cells they cover.
    const Tileset& page = *engine.session().registry().find(2);
    engine.project().currentTilesetId = page.id;
    Brush& brush = *engine.state().currentBrush();
    brush.clear();
    QVERIFY(brush.addFromPage(page, 1, 0) && brush.addFromPage(page, 6, 0));
    // Straight to the view (QTest's moves go through the X server and arrive late).
    const auto moveMouse = [&](QPoint at) {
      QMouseEvent move(QEvent::MouseMove, at, raster_->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(raster_, &move);
    };
    raster_->redraw();
    moveMouse(QPoint(200, 150));
    QVERIFY(engine.previewPlan().cells.size() == 2 && engine.previewPlan().cells[0].inside);
    const auto checkWhole = [&](const char* what) {
      // The frame drawn after the events, then its paint: the screen as the user sees it.
      for (int round = 0; round < 3; ++round) QCoreApplication::sendPostedEvents();
      const QPoint at = raster_->mapTo(raster_->window(), QPoint(0, 0));
      const QImage screen =
          raster_->screen()
              ->grabWindow(raster_->window()->winId(), at.x(), at.y(), raster_->width(), raster_->height())
              .toImage();
      raster_->reloadColors();  // forgets the kept picture
      QVERIFY2(differingPixels(screen, raster_->grab().toImage()) == 0, what);
    };
    for (int step = 0; step < 3; ++step) {
      moveMouse(QPoint(210 + step * 17, 160 + step * 5));
      checkWhole("the preview moved");
      QTest::keyClick(raster_, Qt::Key_2, Qt::KeypadModifier);
      checkWhole("scrolled down");
      QTest::keyClick(raster_, Qt::Key_4, Qt::KeypadModifier);
      checkWhole("scrolled left");
    }
    moveMouse(QPoint(340, 170));
    checkWhole("the preview jumped: two parts apart");
    QTest::mouseClick(raster_, Qt::LeftButton, Qt::NoModifier, QPoint(230, 170));
    checkWhole("painted");
  }

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
    start("", folder.file("game.ini"));
    CMainFrame& frame = *app_->frame();
    QWidget* view = frame.view();
    // A bar that pushes the view aside scrolls the map along: the geometry of now.
    const auto at = [&](int x, int y) {
      const MapGeometry g = frame.engine().geometry();
      return QPoint(g.originX + x * 2 - g.scrollX, g.originY + y * 2 - g.scrollY);
    };
    const QString shots = qEnvironmentVariable("QARTO_SCREENSHOT_DIR");

    // The demo's three ledges jump-through (bit 13), by Shift rectangles;
    // the read-out follows the mouse.
    const MapLayer& collision = *frame.engine().project().findLayerOfKind(LayerKind::Collision);
    QCOMPARE(collision.cell(22, 11).collision & 0x2000, 0);
    QCOMPARE(collision.cell(5, 2).collision & 0x1000, 0);
    QTest::keyClick(view, Qt::Key_F5);
    QCheckBox* solid = frame.flagsBar().findChild<QCheckBox*>("solid");
    solid->click();  // a click with Solid ticked sets bit 12 of the cell under the mouse
    QTest::mouseClick(view, Qt::LeftButton, {}, at(44, 20));
    QCOMPARE(collision.cell(5, 2).collision & 0x3000, 0x1000);
    solid->click();
    frame.flagsBar().findChild<QCheckBox*>("jumpThrough")->click();
    for (const auto& [left, right, y] : {std::tuple(28, 68, 60), std::tuple(164, 204, 92), std::tuple(276, 316, 76)}) {
      QTest::mousePress(view, Qt::MiddleButton, Qt::ShiftModifier, at(left, y));
      QTest::mouseRelease(view, Qt::MiddleButton, Qt::ShiftModifier, at(right, y));
    }
    QCOMPARE(collision.cell(22, 11).collision & 0x2000, 0x2000);
    QTest::mouseMove(view, at(180, 92));
    QTRY_VERIFY(frame.flagsBar().findChild<QLabel*>("cursorTileProperties")->text().endsWith(" Jump Through\n"));
    if (!shots.isEmpty()) QVERIFY(frame.grab().save(QDir(shots).filePath("editor-flags-bar.png")));

    // A slime spawned on the ground, its foot 10 pixels below the mouse.
    QTest::keyClick(view, Qt::Key_F6);
    emit frame.entitiesBar().findChild<QComboBox*>()->activated(6);
    QTest::mouseMove(view, at(200, 182));
    frame.entitiesBar().findChild<QPushButton*>("spawn")->click();
    QTest::mouseClick(view, Qt::LeftButton, {}, at(200, 182));
    QTest::keyClick(view, Qt::Key_Escape);  // no selection wash over it
    // One map pixel per sprite pixel: sprite pixel (17, 22) of the body at map (200 - 16 + 17, 192 - 32 + 22).
    QTRY_COMPARE(view->grab().toImage().pixelColor(at(201, 182)), QColor(40, 200, 40));
    if (!shots.isEmpty()) QVERIFY(frame.grab().save(QDir(shots).filePath("editor-entities-bar.png")));

    // The Hardware Budget bar, and the tint changing the picture where a
    // tile or palette is used once.
    QTest::keyClick(view, Qt::Key_F1);
    const QImage untinted = view->grab().toImage();
    frame.runCommand(cmd::kToggleBudgetBar);
    frame.runCommand(cmd::kToggleUsedOnceTint);
    QTRY_VERIFY(view->grab().toImage() != untinted);
    if (!shots.isEmpty()) QVERIFY(frame.grab().save(QDir(shots).filePath("editor-budget-bar.png")));
  }

 private:
  ScriptedServices services_;
  std::unique_ptr<QtSettingsStore> settings_;
  std::unique_ptr<EditorApp> app_;
  CMapView* gl_ = nullptr;
  CRasterMapView* raster_ = nullptr;
};

int main(int argc, char** argv) {
  prepareGraphics();
  QApplication application(argc, argv);
  restoreNumericLocale();
  MapViewGlTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "map_view_gl_test.moc"
