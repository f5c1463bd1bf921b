// The close sequence: view options saved first, the unsaved-changes question
// where Cancel (or a cancelled save) keeps the window, the bar layout saved
// last; Exit takes the same path; the session-end question.

#include <QTest>

#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "model/app_title.h"
#include "support/frame_fixture.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

Q_DECLARE_METATYPE(qarto::MessageAnswer)

namespace {

constexpr const char* kQuestion = "There are unsaved changes.  Would you like to save them?";

// A modified copy of the example map, opened in the frame.
struct ModifiedMap {
  explicit ModifiedMap(FrameFixture& frame) : path(folder.file("map.qrm")) {
    writeBytes(path, readBytes(examplePath("demo.qrm")));
    original = readBytes(path);
    opened = frame->openMapByPath(path);
    frame->engine().project().modified = true;
  }
  TempFolder folder;
  std::string path;
  std::vector<std::uint8_t> original;
  bool opened = false;
};

}  // namespace

class CloseTest : public QObject {
  Q_OBJECT

 private slots:
  void closeAnswers_data() {
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Yes") << MessageAnswer::Yes << true << true;
    QTest::newRow("No") << MessageAnswer::No << true << false;
    QTest::newRow("Cancel") << MessageAnswer::Cancel << false << false;
  }

  void closeAnswers() {
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    FrameFixture frame;
    frame->show();
    ModifiedMap map(frame);
    QVERIFY(map.opened);
    frame->engine().state().view.mapZoom = 4.0f;
    frame.services.answers = {answer};

    QCOMPARE(frame->close(), closed);

    QCOMPARE(frame.services.messages.size(), std::size_t{1});
    QCOMPARE(frame.services.lastText(), std::string(kQuestion));
    QCOMPARE(frame.services.lastMessage().buttons, MessageButtons::YesNoCancel);
    // The view options are written before the question, whatever the answer.
    QCOMPARE(frame.settings.readText("Settings", "MapPageScale", ""), std::string("4.000000"));
    QCOMPARE(frame->view() == nullptr, closed);
    QCOMPARE(frame.settings.contains(kBarLayoutSection, kBarLayoutKey), closed);
    QCOMPARE(readBytes(map.path) != map.original, saved);
    QCOMPARE(frame->isVisible(), !closed);
  }

  void aCancelledSaveKeepsTheWindowAndExitTakesTheSamePath() {
    FrameFixture frame;
    frame->show();
    ModifiedMap map(frame);
    QVERIFY(map.opened);
    frame->engine().project().filePath.clear();  // Save asks where: the user cancels the chooser
    frame.services.answers = {MessageAnswer::Yes, MessageAnswer::No};
    frame->runCommand(cmd::kExit);
    QCOMPARE(frame.services.saveRequests.size(), std::size_t{1});
    QVERIFY(frame->isVisible() && frame->engine().project().hasLayers());
    QVERIFY(!frame.settings.contains(kBarLayoutSection, kBarLayoutKey));
    frame->runCommand(cmd::kExit);
    QVERIFY(!frame->isVisible());
    QVERIFY(!frame->engine().project().hasLayers());  // the view emptied the project as it went
  }

  void anUnchangedMapClosesWithoutAQuestionAndTheSessionEndAsks() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    QVERIFY(frame->close());
    QVERIFY(frame.services.messages.empty());

    FrameFixture ending;
    ModifiedMap map(ending);
    ending.services.answers = {MessageAnswer::Cancel, MessageAnswer::No};
    QVERIFY(!ending->allowSessionEnd());
    QCOMPARE(ending.services.lastText(), std::string(kQuestion));
    QVERIFY(ending->allowSessionEnd());
  }
};

QTEST_MAIN(CloseTest)
#include "close_test.moc"
