// An editor killed after writing its recovery copy: the next start restores
// every cell, discards, or keeps a damaged copy aside; qarto-cli lists and
// writes it out. A map changed by qarto-cli edit is offered for reloading.

#include <QProcess>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "app/editor_app.h"
#include "app/frame/recovery_timer.h"
#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "io/map_file/map_file_reader.h"
#include "io/recovery/recovery_copies.h"
#include "support/frame_fixture.h"
#include "support/stand_in_view.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

namespace {

constexpr const char* kChildFlag = "--paint-until-copied";

// What the killed editor painted: a pattern no map file holds by chance.
std::uint16_t painted(std::size_t layer, std::size_t cell) { return static_cast<std::uint16_t>((cell * 7 + layer) % 40); }

// The killed editor: opens the map, paints every cell, waits for its
// recovery copy, says so through `ready` and waits to be killed.
int paintUntilCopied(const std::string& map, const std::string& ready) {
  ScriptedServices services;
  MemorySettingsStore settings;
  EditorApp app(services, settings);
  app.start(map, "", StandInView::factory());
  CMainFrame& frame = *app.frame();
  frame.recovery().setInterval(std::chrono::milliseconds(20));
  const auto& layers = frame.engine().project().layers();
  for (std::size_t l = 0; l < layers.size(); ++l) {
    for (std::size_t c = 0; c < layers[l]->cells.size(); ++c) layers[l]->cells[c].tile = painted(l, c);
  }
  frame.engine().project().modified = true;
  frame.showEngineState();
  while (frame.recovery().keeper().copyPath().empty()) QTest::qWait(10);
  std::ofstream(ready) << "copied\n";
  return QApplication::exec();
}

}  // namespace

class RecoveryTest : public QObject {
  Q_OBJECT

  TempFolder work;
  std::string map = work.file("level.qrm");
  std::string state = work.file("state");
  std::string folder = state + "/qarto/recovery";

  // Runs the painting editor in its own process; kills it once it has written its copy.
  void killAfterCopy() {
    writeBytes(map, readBytes(examplePath("demo.qrm")));
    const std::string ready = work.file("ready");
    std::filesystem::remove(ready);
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_STATE_HOME", QString::fromStdString(state));
    env.insert("TMPDIR", QString::fromStdString(work.path()));  // its throw-away home lands here
    editor.setProcessEnvironment(env);
    editor.start(QCoreApplication::applicationFilePath(), {kChildFlag, QString::fromStdString(map), QString::fromStdString(ready)});
    QVERIFY(editor.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(ready), 30000);
    ::kill(static_cast<pid_t>(editor.processId()), SIGKILL);
    editor.waitForFinished();
  }

  // A fresh editor start with the user's answers to the recovery questions.
  ScriptedServices services;
  MemorySettingsStore settings;
  std::unique_ptr<EditorApp> start(std::deque<int> answers) {
    services = {};
    services.buttonAnswers = std::move(answers);
    auto app = std::make_unique<EditorApp>(services, settings);
    app->start("", "", StandInView::factory());
    return app;
  }

  static std::string runCli(const QStringList& args) {
    QProcess cli;
    cli.start(QARTO_CLI, args);
    cli.waitForFinished();
    return cli.readAllStandardOutput().toStdString() + cli.readAllStandardError().toStdString();
  }

 private slots:
  void initTestCase() { qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state)); }

  void restoreBringsBackEveryCellAndTheCommandLineWritesTheCopyOut() {
    killAfterCopy();
    const std::string copy = recoveryCopyPath(folder, map, 0);
    QVERIFY(std::filesystem::exists(copy));
    QCOMPARE(runCli({"recover", "--list"}).rfind(map + "\t", 0), 0u);
    runCli({"recover", QString::fromStdString(map), "-o", QString::fromStdString(work.file("out.qrm"))});
    QVERIFY(readBytes(work.file("out.qrm")) == readBytes(copy));
    QVERIFY(runCli({"recover", QString::fromStdString(work.file("other.qrm")), "-o", "x.qrm"}).find("no recovery copy") !=
            std::string::npos);

    auto app = start({0});  // Restore
    const MapProject& project = app->frame()->engine().project();
    QCOMPARE(project.filePath, map);
    QVERIFY(project.modified);
    for (std::size_t l = 0; l < project.layers().size(); ++l) {
      const auto& cells = project.layers()[l]->cells;
      for (std::size_t c = 0; c < cells.size(); ++c) QCOMPARE(cells[c].tile, painted(l, c));
    }
    QVERIFY(readBytes(map) == readBytes(examplePath("demo.qrm")));  // nothing written until saved
    app->frame()->runCommand(cmd::kSaveMap);  // which ends the copy's life
    QVERIFY(!std::filesystem::exists(copy));
  }

  void discardDeletesTheCopyAndOpensNothing() {
    killAfterCopy();
    auto app = start({1});  // Discard
    QVERIFY(!app->frame()->engine().project().hasLayers());
    QVERIFY(!std::filesystem::exists(recoveryCopyPath(folder, map, 0)));
  }

  void aDamagedCopyIsReportedAndKeptAside() {
    std::filesystem::create_directories(folder);
    writeBytes(folder + "/level-0000000000000000.qrm", std::vector<std::uint8_t>(300, 'Q'));
    auto app = start({});
    QVERIFY(services.lastText().find("could not be read") != std::string::npos);
    QVERIFY(std::filesystem::exists(folder + "/level-0000000000000000.qrm.damaged"));
  }

  void theSessionEndingAfterDontSaveDropsTheCopyAndACancelKeepsIt() {
    writeBytes(map, readBytes(examplePath("demo.qrm")));
    for (const bool cancel : {true, false}) {
      FrameFixture frame;
      QVERIFY(frame->openMapByPath(map));
      frame->recovery().setInterval(std::chrono::milliseconds(20));
      frame->engine().project().layers()[0]->cells[0].tile = 7;
      frame->engine().project().modified = true;
      frame->showEngineState();
      QTRY_VERIFY(!frame->recovery().keeper().copyPath().empty());
      const std::string copy = frame->recovery().keeper().copyPath();
      frame->recovery().keeper().finishWrite();
      frame.services.answers = {cancel ? MessageAnswer::Cancel : MessageAnswer::No};
      QCOMPARE(frame->allowSessionEnd(), !cancel);
      QCOMPARE(frame.services.lastText(), std::string("There are unsaved changes.  Would you like to save them?"));
      QCOMPARE(std::filesystem::exists(copy), cancel);
      QVERIFY(readBytes(map) == readBytes(examplePath("demo.qrm")));
      frame->engine().project().modified = false;  // the fixture closes without asking
      std::filesystem::remove(copy);
    }
  }

  void aMapChangedByQartoCliEditIsOfferedForReloading() {
    writeBytes(map, readBytes(examplePath("demo.qrm")));
    FrameFixture frame;
    QVERIFY(frame->openMapByPath(map));
    std::ofstream(work.file("flip.txt")) << "command 61241\n";
    runCli({"edit", QString::fromStdString(map), "--script", QString::fromStdString(work.file("flip.txt"))});
    QVERIFY(readBytes(map) != readBytes(examplePath("demo.qrm")));
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QCOMPARE(frame.services.lastText(), map + " was changed by another program.  Reload it?");
    const LoadedMap expected = readMapFile(map).map;
    const auto& layers = frame->engine().project().layers();
    QCOMPARE(layers.size(), expected.layers.size());
    for (std::size_t l = 0; l < layers.size(); ++l) QVERIFY(layers[l]->cells == expected.layers[l]->cells);
  }
};

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc == 4 && std::string(argv[1]) == kChildFlag) return paintUntilCopied(argv[2], argv[3]);
  RecoveryTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"
