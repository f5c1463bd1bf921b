// The window's everyday comforts: Redo under Undo with its keys, the title's
// unsaved-changes mark, the paint-lock pane wide enough for its text, Enter
// closing the about box.

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "app/dialogs/about_box.h"
#include "app/dialogs/controls/hyperlink_label.h"
#include "app/frame/command_actions.h"
#include "app/frame/status_panes.h"
#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "support/frame_fixture.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

class EverydayTest : public QObject {
  Q_OBJECT

 private slots:
  void redoSitsUnderUndoAndItsKeysRedoWhileTheTitleMarksUnsavedChanges() {
    FrameFixture frame;
    const QList<QAction*> edit = menuBarMenu(*frame, QStringLiteral("&Edit"))->actions();
    QCOMPARE(QStringList({edit.value(0)->text(), edit.value(1)->text()}), QStringList({"&Undo\tCtrl+Z", "&Redo\tCtrl+Y"}));

    TempFolder folder;
    const std::string path = folder.file("map.qrm");
    writeBytes(path, readBytes(examplePath("demo.qrm")));
    QVERIFY(frame->openMapByPath(path));
    const QString title = QString::fromStdString("Qarto v0.99 - " + path);
    QCOMPARE(frame->windowTitle(), title);
    const MapLayer& active = *frame->engine().project().activeLayer;
    const std::vector<MapCell> original = active.cells;
    frame->runCommand(cmd::kFlipLayerHorizontally);
    const std::vector<MapCell> flipped = active.cells;
    QCOMPARE(frame->windowTitle(), title + " *");
    frame.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(frame->windowTitle(), title);
    frame.press(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(active.cells == original);
    QCOMPARE(frame->windowTitle(), title + " *");  // the map on screen differs from the file again
    frame.press(Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(active.cells == flipped);
    QVERIFY(!frame->actions().action(cmd::kRedo)->isEnabled());
  }

  void thePaintLockPaneHoldsItsLongestText() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    frame.press(Qt::Key_Right);
    QLabel* pane = nullptr;
    for (QLabel* label : frame->statusPanes().findChildren<QLabel*>()) {
      if (label->text() == " Paint Locking: allow horizontal only") pane = label;
    }
    QVERIFY(pane != nullptr && pane->minimumWidth() >= pane->sizeHint().width());
  }

  void enterClosesTheAboutBox() {
    AboutBox box;
    int opened = 0;
    for (HyperlinkLabel* link : {box.feedbackLink(), box.homepageLink()}) {
      link->setOpener([&opened](const QUrl&) { return ++opened, QString(); });
    }
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused, Qt::Key_Return);
    QTRY_VERIFY(!box.isVisible());
    QCOMPARE(std::pair(box.result(), opened), std::pair(int(QDialog::Accepted), 0));
  }
};

QTEST_MAIN(EverydayTest)
#include "everyday_test.moc"
