// The editor window's redraws, timed on the real window and its OpenGL view
// (run under Xvfb by bench/editor_window_bench.sh):
//   qarto_window_bench MAP.qrm
// Prints the mean time of one keypad scroll step and of one mouse move over
// the map, each from the input to the frame drawn (repaint + glFinish).

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTest>
#include <cstdio>

#include "app/editor_app.h"
#include "app/main_frame.h"
#include "app/map_view.h"
#include "app/qt_platform_services.h"
#include "app/startup_environment.h"
#include "edit/engine/map_view_engine.h"
#include "model/memory_settings_store.h"

namespace {

void finish(qarto::CMapView& view) {
  view.repaint();
  view.makeCurrent();
  view.context()->functions()->glFinish();
  view.doneCurrent();
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
  auto* view = qobject_cast<qarto::CMapView*>(frame.view());
  frame.engine().state().view.mapZoom = 1.0f;
  QTest::qWait(200);
  finish(*view);

  constexpr int kSteps = 60;
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < kSteps; ++i) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_2, Qt::KeypadModifier, QStringLiteral("2"));
    QApplication::sendEvent(view, &key);
    finish(*view);
  }
  const double scroll = static_cast<double>(timer.nsecsElapsed()) / 1e6 / kSteps;

  timer.restart();
  for (int i = 0; i < kSteps; ++i) {
    const QPointF at(300 + (i % 20) * 9, 300 + (i % 7) * 5);
    QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    finish(*view);
  }
  const double mouse = static_cast<double>(timer.nsecsElapsed()) / 1e6 / kSteps;
  std::printf("view %dx%d device pixels, zoom 1\n", frame.engine().state().view.clientWidth,
              frame.engine().state().view.clientHeight);
  std::printf("scroll step: %.1f ms\nmouse move: %.1f ms\n", scroll, mouse);
  frame.engine().project().modified = false;
  return 0;
}
