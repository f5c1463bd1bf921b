// The close sequence: view options saved first, the unsaved-changes question
// where Cancel (or a cancelled save) keeps the window, the bar layout saved
// last; Exit and the session's end take the same path.

#include <QTest>

#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "model/app_title.h"
#include "support/frame_fixture.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

Q_DECLARE_METATYPE(qarto::MessageAnswer)

class CloseTest : public QObject {
  Q_OBJECT

 private slots:
  void theQuestionDecides_data() {
    QTest::addColumn<QString>("route");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Yes") << "close" << true << MessageAnswer::Yes << true << true;
    QTest::newRow("No") << "close" << true << MessageAnswer::No << true << false;
    QTest::newRow("Cancel") << "close" << true << MessageAnswer::Cancel << false << false;
    QTest::newRow("unchanged") << "close" << false << MessageAnswer::Cancel << true << false;
    QTest::newRow("Exit, Yes, the chooser cancelled") << "exit" << true << MessageAnswer::Yes << false << false;
    QTest::newRow("Exit, No") << "exit" << true << MessageAnswer::No << true << false;
    QTest::newRow("session end, Cancel") << "session" << true << MessageAnswer::Cancel << false << false;
  }

  void theQuestionDecides() {
    QFETCH(QString, route);
    QFETCH(bool, modified);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    FrameFixture frame;
    frame->show();
    TempFolder folder;
    const std::string path = folder.file("map.qrm");
    writeBytes(path, readBytes(examplePath("demo.qrm")));
    QVERIFY(frame->openMapByPath(path));
    frame->engine().project().modified = modified;
    // Save asks where on the way out by Exit: the user cancels the chooser.
    if (route == "exit") frame->engine().project().filePath.clear();
    frame->engine().state().view.mapZoom = 4.0f;
    frame.services.answers = {answer};

    if (route == "close") QCOMPARE(frame->close(), closed);
    if (route == "exit") frame->runCommand(cmd::kExit);
    if (route == "session") QCOMPARE(frame->allowSessionEnd(), closed);

    QCOMPARE(frame.services.messages.size(), std::size_t{modified});
    if (modified) {
      QCOMPARE(frame.services.lastText(), std::string("There are unsaved changes.  Would you like to save them?"));
      QCOMPARE(frame.services.lastMessage().buttons, MessageButtons::YesNoCancel);
    }
    if (route == "session") return;
    // The view options are written before the question, whatever the answer.
    QCOMPARE(frame.settings.readText("Settings", "MapPageScale", ""), std::string("4.000000"));
    QCOMPARE(frame->isVisible(), !closed);
    QCOMPARE(frame->view() == nullptr, closed);
    QCOMPARE(frame->engine().project().hasLayers(), !closed);  // the view empties the project as it goes
    QCOMPARE(frame.settings.contains(kBarLayoutSection, kBarLayoutKey), closed);
    QCOMPARE(readBytes(path) != readBytes(examplePath("demo.qrm")), saved);
  }
};

QTEST_MAIN(CloseTest)
#include "close_test.moc"
