// The program's own share of the editor window's redraws, timed in the
// process on the real window and its OpenGL view (run under Xvfb by
// bench/editor_window_bench.sh):
//   qarto_window_bench MAP.qrm
// From the input event to the frame on its way to the X server: for the
// QOpenGLWidget view (GL in hardware) the window's frame swapped (the view
// drawn and Qt's composition of the window done, then glFinish); for the
// raster view (software GL) the view's paint done, which puts the changed
// pixels into the window. What the X server adds is measured from outside
// by bench/window_input_watch.cpp. Zoom 1 and a picked tile are set
// up with the keys and clicks a user would use, and the map is scrolled to
// fill the view. Every scroll step is checked to change the scroll value,
// and the first steps and moves to change the picture.

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/editor_app.h"
#include "app/frame/main_frame.h"
#include "app/qt_platform_services.h"
#include "app/startup_environment.h"
#include "app/view/map_view.h"
#include "edit/engine/map_view_engine.h"
#include "model/settings/memory_settings_store.h"

namespace {

// Counts the paints of a widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Runs the event loop until the view's next frame is out: swapped by the
// GL widget, painted by the raster view (which paints only when the picture
// changed, so it is given a moment).
void finish(QWidget& widget) {
  auto* glView = qobject_cast<qarto::CMapView*>(&widget);
  if (glView == nullptr) {
    PaintCounter counter;
    widget.installEventFilter(&counter);
    QElapsedTimer waited;
    waited.start();
    while (counter.paints == 0 && waited.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    widget.removeEventFilter(&counter);
    return;
  }
  qarto::CMapView& view = *glView;
  bool swapped = false;
  const QMetaObject::Connection connection =
      QObject::connect(&view, &QOpenGLWidget::frameSwapped, [&swapped] { swapped = true; });
  view.update();
  QElapsedTimer waited;
  waited.start();
  while (!swapped && waited.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  QObject::disconnect(connection);
  view.makeCurrent();
  view.context()->functions()->glFinish();
  view.doneCurrent();
}

void press(QWidget& view, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(&view, &event);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(&view, &release);
}

void move(QWidget& view, QPointF at) {
  QMouseEvent event(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &event);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qarto::prepareGraphics();
  QApplication application(argc, argv);
  qarto::restoreNumericLocale();
  if (argc != 2) {
    std::fputs("usage: qarto_window_bench MAP.qrm\n", stderr);
    return 2;
  }
  qarto::QtPlatformServices services;
  qarto::MemorySettingsStore settings;
  qarto::EditorApp editor(services, settings);
  editor.start(argv[1]);
  qarto::CMainFrame& frame = *editor.frame();
  frame.resize(1250, 730);
  if (!QTest::qWaitForWindowExposed(&frame)) return 1;
  QWidget* view = frame.view();
  const auto shownPicture = [view] {
    auto* glView = qobject_cast<qarto::CMapView*>(view);
    return glView != nullptr ? glView->grabFramebuffer() : view->grab().toImage();
  };
  qarto::ViewState& state = frame.engine().state().view;

  // Zoom 1, a tile of the page as the brush, the pointer over the map.
  press(*view, Qt::Key_1, QStringLiteral("1"));
  press(*view, Qt::Key_Space, QStringLiteral(" "));
  QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(20, 45));
  press(*view, Qt::Key_Space, QStringLiteral(" "));
  for (int i = 0; i < 60; ++i) press(*view, Qt::Key_3, QStringLiteral("3"), Qt::KeypadModifier);
  const QPointF pointer(view->width() * 3 / 4, view->height() * 3 / 4);
  move(*view, pointer);
  QTest::qWait(200);
  finish(*view);
  if (state.mapZoom != 1.0f) {
    std::fputs("zoom 1 was not set\n", stderr);
    return 1;
  }

  constexpr int kSteps = 60;
  std::vector<double> scrolls;
  QElapsedTimer timer;
  for (int i = 0; i < kSteps; ++i) {
    const int before = state.scrollY;
    const QImage picture = i < 3 ? shownPicture() : QImage();
    timer.start();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_2, Qt::KeypadModifier, QStringLiteral("2"));
    QApplication::sendEvent(view, &key);
    finish(*view);
    scrolls.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    if (state.scrollY != before + 10 || (i < 3 && shownPicture() == picture)) {
      std::fprintf(stderr, "scroll step %d did not scroll (%d to %d)\n", i, before, state.scrollY);
      return 1;
    }
  }

  std::vector<double> moves;
  for (int i = 0; i < kSteps; ++i) {
    const QImage picture = i < 3 ? shownPicture() : QImage();
    timer.start();
    move(*view, pointer + QPointF(i % 2 == 0 ? 16 : 0, 0));
    finish(*view);
    moves.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    if (i < 3 && shownPicture() == picture) {
      std::fprintf(stderr, "mouse move %d changed nothing\n", i);
      return 1;
    }
  }
  std::printf("in the process, view %dx%d device pixels, zoom 1\n", state.clientWidth, state.clientHeight);
  std::printf("scroll step: median %.1f ms\nmouse move: median %.1f ms\n", median(scrolls), median(moves));
  frame.engine().project().modified = false;
  return 0;
}
