// The OpenGL map view under Xvfb: the frame equal to the renderer's
// off-screen frame of the same state (so the context draws as the renderer
// expects), only the background while a map is on its way, and every page's
// texture uploaded again when the view's context is recreated.

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QProcess>
#include <QTest>

#include "app/editor_app.h"
#include "app/frame/main_frame.h"
#include "app/qt_platform_services.h"
#include "app/startup_environment.h"
#include "app/view/map_view.h"
#include "edit/engine/map_view_engine.h"
#include "model/tileset/tileset_registry.h"
#include "platform/qt_settings_store.h"
#include "support/frame_fixture.h"
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

// Red, green and blue as the frame stores them. A grabbed frame is labelled
// premultiplied; converting it would divide by the alpha the blending left
// behind, which the screen never shows.
QImage opaque(QImage image) {
  if (image.format() == QImage::Format_RGBA8888 || image.format() == QImage::Format_RGBA8888_Premultiplied) {
    image.reinterpretAsFormat(QImage::Format_RGBX8888);
  } else if (image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_ARGB32_Premultiplied) {
    image.reinterpretAsFormat(QImage::Format_RGB32);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

// Pixels whose red, green or blue differ.
int differingPixels(const QImage& first, const QImage& second) {
  if (first.size() != second.size()) return -1;
  const QImage a = opaque(first), b = opaque(second);
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
  }
  return count;
}

}  // namespace

class MapViewGlTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    settings_ = std::make_unique<QtSettingsStore>();
    app_ = std::make_unique<EditorApp>(services_, *settings_);
    QVERIFY(app_->start(examplePath("demo.qrm")));
    QVERIFY(QTest::qWaitForWindowExposed(app_->frame()));
    view_ = qobject_cast<CMapView*>(app_->frame()->view());
    QVERIFY(view_ != nullptr);
    QTRY_VERIFY(view_->context() != nullptr && view_->context()->isValid());
  }

  void cleanup() {
    app_.reset();
    settings_.reset();
  }

  void theFrameEqualsTheRenderersOffscreenFrame_data() {
    QTest::addColumn<int>("zoom");
    for (const int zoom : {1, 2, 3, 4}) QTest::addRow("zoom %d", zoom) << zoom;
  }

  // At every zoom step, flag icons included: they are drawn one texel per
  // pixel, so no pixel centre falls on a texel edge where drivers differ.
  void theFrameEqualsTheRenderersOffscreenFrame() {
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
    const QImage shown = view_->grabFramebuffer();

    settings_->sync();  // qarto-cli reads the same preferences
    TempFolder folder;
    const QString png = QString::fromStdString(folder.file("frame.png"));
    QProcess cli;
    cli.start(QStringLiteral(QARTO_CLI),
              {"render", QString::fromStdString(examplePath("demo.qrm")), "-o", png, "--size",
               QStringLiteral("%1x%2").arg(view.clientWidth).arg(view.clientHeight), "--zoom",
               QString::number(zoom), "--scroll", "-29,-11"});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    const QImage offscreen(png);
    QVERIFY(!offscreen.isNull());
    if (differingPixels(shown, offscreen) != 0) {
      shown.save(QStringLiteral("map_view_frame_zoom%1.png").arg(zoom));
      offscreen.save(QStringLiteral("map_view_offscreen_zoom%1.png").arg(zoom));
    }
    QCOMPARE(differingPixels(shown, offscreen), 0);
  }

  // While a map is on its way the view shows only its background.
  void aHeldViewDrawsOnlyItsBackground() {
    const ViewState& view = app_->frame()->engine().state().view;
    const QImage drawn = view_->grabFramebuffer();
    app_->frame()->holdViewDrawing(true);
    const QImage held = view_->grabFramebuffer();
    app_->frame()->holdViewDrawing(false);
    QCOMPARE(differingPixels(view_->grabFramebuffer(), drawn), 0);
    QImage background(held.size(), QImage::Format_RGB32);
    background.fill(QColor::fromRgbF(view.clearColor[0], view.clearColor[1], view.clearColor[2]));
    QVERIFY(differingPixels(drawn, background) > 0);
    QCOMPARE(differingPixels(held, background), 0);
  }

  void aRecreatedContextGetsItsTexturesAgain() {
    const TilesetRegistry& registry = app_->frame()->engine().session().registry();
    QTRY_VERIFY(texturesLive(*view_, registry));
    const QImage before = view_->grabFramebuffer();
    QOpenGLContext* first = view_->context();
    // Moving the view into another window makes Qt create a new context.
    QWidget other;
    other.resize(before.size() / view_->devicePixelRatioF());
    QWidget* taken = app_->frame()->takeCentralWidget();
    taken->setParent(&other);
    taken->resize(other.size());
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QTRY_VERIFY(view_->context() != nullptr && view_->context() != first);
    QTRY_VERIFY(texturesLive(*view_, registry));
    QCOMPARE(differingPixels(view_->grabFramebuffer(), before), 0);
    app_->frame()->setCentralWidget(taken);
  }

 private:
  ScriptedServices services_;
  std::unique_ptr<QtSettingsStore> settings_;
  std::unique_ptr<EditorApp> app_;
  CMapView* view_ = nullptr;
};

int main(int argc, char** argv) {
  // The QOpenGLWidget view, as on a GL in hardware (llvmpipe would get the raster view).
  qputenv("QARTO_VIEW_PRESENTATION", "gl");
  prepareGraphics();
  QApplication application(argc, argv);
  restoreNumericLocale();
  MapViewGlTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "map_view_gl_test.moc"
