// The map view on a software rasterizer (llvmpipe under Xvfb): frames drawn
// off-screen and painted through the raster engine. Its picture equals the
// renderer's off-screen frame, and the parts it draws again after scrolls,
// mouse moves and strokes add up to the whole frame.

#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include "app/editor_app.h"
#include "app/frame/main_frame.h"
#include "app/startup_environment.h"
#include "app/view/raster/raster_map_view.h"
#include "app/view/view_presentation.h"
#include "edit/brush/brush.h"
#include "edit/engine/map_view_engine.h"
#include "model/tileset/tileset_registry.h"
#include "platform/qt_settings_store.h"
#include "support/frame_fixture.h"
#include "support/scripted_services.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

namespace {

// Pixels whose red, green or blue differ (-1: not the same size).
int differingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  int count = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = reinterpret_cast<const quint32*>(x.constScanLine(row));
    const auto* q = reinterpret_cast<const quint32*>(y.constScanLine(row));
    for (int column = 0; column < x.width(); ++column) count += ((p[column] ^ q[column]) & 0xFFFFFF) != 0;
  }
  return count;
}

}  // namespace

class RasterMapViewGlTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    settings_ = std::make_unique<QtSettingsStore>();
    app_ = std::make_unique<EditorApp>(services_, *settings_);
    QVERIFY(app_->start(examplePath("demo.qrm")));
    QVERIFY(QTest::qWaitForWindowExposed(app_->frame()));
    view_ = dynamic_cast<CRasterMapView*>(app_->frame()->view());
    QVERIFY2(view_ != nullptr, "llvmpipe gets the raster view");
  }

  void cleanup() {
    app_.reset();
    settings_.reset();
  }

  void theRendererStringChoosesThePresentation() {
    QCOMPARE(choosePresentation("llvmpipe (LLVM 15.0.6, 256 bits)", ""), ViewPresentation::Raster);
    QCOMPARE(choosePresentation("softpipe", ""), ViewPresentation::Raster);
    QCOMPARE(choosePresentation("Software Rasterizer", ""), ViewPresentation::Raster);
    QCOMPARE(choosePresentation("Mesa Intel(R) UHD Graphics 620 (KBL GT2)", ""), ViewPresentation::GlWidget);
    QCOMPARE(choosePresentation("llvmpipe (LLVM 15.0.6, 256 bits)", "gl"), ViewPresentation::GlWidget);
    QCOMPARE(choosePresentation("NVIDIA GeForce GTX 1060/PCIe/SSE2", "raster"), ViewPresentation::Raster);
  }

  void thePictureEqualsTheRenderersOffscreenFrame_data() {
    QTest::addColumn<int>("zoom");
    for (const int zoom : {1, 2, 3, 4}) QTest::addRow("zoom %d", zoom) << zoom;
  }

  void thePictureEqualsTheRenderersOffscreenFrame() {
    QFETCH(int, zoom);
    MapViewEngine& engine = app_->frame()->engine();
    ViewState& view = engine.state().view;
    view.mapZoom = static_cast<float>(zoom);
    view.scrollX = -29;
    view.scrollY = -11;
    view.showFrameMask = false;
    view.showLayerBounds = false;
    view.mouseInside = false;
    engine.project().showMapGrid = false;
    view_->redraw();
    const QImage shown = view_->grab().toImage();
    QCOMPARE(shown.width(), view.clientWidth);

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
    QCOMPARE(differingPixels(shown, QImage(png)), 0);
  }

  // What a user does between two whole frames: the picture kept and
  // brought up to date part by part is the whole frame.
  void thePartsDrawnAgainMakeTheWholeFrame() {
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
      QMouseEvent move(QEvent::MouseMove, at, view_->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(view_, &move);
    };
    view_->redraw();
    moveMouse(QPoint(200, 150));
    QVERIFY(engine.previewPlan().cells.size() == 2 && engine.previewPlan().cells[0].inside);
    const auto checkWhole = [&](const char* what) {
      // The frame drawn after the events, then its paint: the screen as the user sees it.
      for (int round = 0; round < 3; ++round) QCoreApplication::sendPostedEvents();
      const QPoint at = view_->mapTo(view_->window(), QPoint(0, 0));
      const QImage shown = view_->screen()
                               ->grabWindow(view_->window()->winId(), at.x(), at.y(), view_->width(), view_->height())
                               .toImage();
      view_->reloadColors();  // forgets the kept picture
      const QImage whole = view_->grab().toImage();
      QVERIFY2(differingPixels(shown, whole) == 0, what);
    };
    for (int step = 0; step < 3; ++step) {
      moveMouse(QPoint(210 + step * 17, 160 + step * 5));
      checkWhole("the preview moved");
      QTest::keyClick(view_, Qt::Key_2, Qt::KeypadModifier);
      checkWhole("scrolled down");
      QTest::keyClick(view_, Qt::Key_4, Qt::KeypadModifier);
      checkWhole("scrolled left");
    }
    moveMouse(QPoint(340, 170));
    checkWhole("the preview jumped: two parts apart");
    QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, QPoint(230, 170));
    checkWhole("painted");
  }

 private:
  ScriptedServices services_;
  std::unique_ptr<QtSettingsStore> settings_;
  std::unique_ptr<EditorApp> app_;
  CRasterMapView* view_ = nullptr;
};

int main(int argc, char** argv) {
  prepareGraphics();
  QApplication application(argc, argv);
  restoreNumericLocale();
  RasterMapViewGlTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "raster_map_view_gl_test.moc"
