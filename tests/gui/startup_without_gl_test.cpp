// Start-up on a display without OpenGL: the user is told, the window opens
// with a view that draws no map, and everything else keeps working.

#include <QApplication>
#include <QTest>

#include "app/editor_app.h"
#include "app/frame/main_frame.h"
#include "app/startup_environment.h"
#include "app/view/editor_view_factory.h"
#include "app/view/no_gl_view.h"
#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "model/settings/memory_settings_store.h"
#include "support/frame_fixture.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

class StartupWithoutGlTest : public QObject {
  Q_OBJECT

 private slots:
  void theMapOpensAndTheCommandsWorkWithoutADrawnView() {
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

    // The view shows its notice on the clear colour.
    const QImage shot = frame.view()->grab().toImage();
    QCOMPARE(shot.pixelColor(2, 2), QColor(Qt::black));

    frame.runCommand(cmd::kToggleView);  // the commands keep working
    QVERIFY(frame.engine().state().view.tileViewShown);
    QCOMPARE(services.messages.size(), std::size_t{1});
  }
};

int main(int argc, char** argv) {
  qputenv("QT_XCB_GL_INTEGRATION", "none");
  prepareGraphics();
  QApplication application(argc, argv);
  restoreNumericLocale();
  StartupWithoutGlTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "startup_without_gl_test.moc"
