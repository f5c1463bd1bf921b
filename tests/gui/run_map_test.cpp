// Run Map from the editor: F8 plays the open map in the built-in player from
// the map point under the view's top-left, the arrow keys scroll it and
// Escape closes it; a named emulator gets the ROM instead. The refusals and
// Save ROM As are the engine's and the player's tests.

#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "edit/commands/command_ids.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "emulator/map_player.h"
#include "support/frame_fixture.h"
#include "support/temp_folder.h"

using namespace qarto;
using namespace qarto::test;

namespace {

// The view's top-left at map pixel (x, y): zoom 2, origin in the corner.
void lookAt(FrameFixture& f, int x, int y) {
  ViewState& view = f->engine().state().view;
  view.centeredView = false;
  view.mapZoom = 2.0f;
  view.scrollX = 2 * x;
  view.scrollY = 2 * y;
}

}  // namespace

class RunMapTest : public QObject {
  Q_OBJECT

 private slots:
  void f8PlaysTheMapFromWhereTheViewLooksOrANamedEmulatorGetsTheRom() {
    FrameFixture f(true, QARTO_PLAYER_ROM);
    f->show();
    QVERIFY(f->openMapByPath(examplePath("demo.qrm")));
    lookAt(f, 100, 90);
    QTest::keyClick(f->view(), Qt::Key_F8);
    QTRY_VERIFY(f->playerWindow() != nullptr && f->playerWindow()->framesShown() > 2);
    PlayerWindow* player = f->playerWindow();
    QCOMPARE(std::pair(player->player().cameraX(), player->player().cameraY()), std::pair(100, 90));
    if (const char* folder = std::getenv("QARTO_SCREENSHOT_DIR")) player->grab().save(QString(folder) + "/run-map-player.png");

    QTest::keyPress(player, Qt::Key_Right);
    QTRY_VERIFY(player->player().cameraX() >= 140);
    QTest::keyRelease(player, Qt::Key_Right);
    QTest::keyClick(player, Qt::Key_Escape);
    QTRY_VERIFY(f->playerWindow() == nullptr);

    // The emulator named in the Preferences runs on its own with the ROM,
    // which goes with the editor.
    TempFolder folder;
    const std::string script = folder.file("emulator.sh"), played = folder.file("played.gba");
    std::ofstream(script) << "#!/bin/sh\ncp \"$2\" '" << played << "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    f.settings.writeText("Settings", "EmulatorCommand", "\"" + script + "\" --rom %f");
    f->commands().run(cmd::kRunMap);
    const std::vector<std::uint8_t> base = readBytes(QARTO_PLAYER_ROM);
    QTRY_VERIFY(std::filesystem::exists(played) && readBytes(played).size() > base.size());
    QVERIFY(std::equal(base.begin() + 0xC0, base.end(), readBytes(played).begin() + 0xC0));  // past the header
    QVERIFY(f->playerWindow() == nullptr);
    f.frame.reset();
    QVERIFY(!std::filesystem::exists(runMapRomPath()));
  }
};

QTEST_MAIN(RunMapTest)
#include "run_map_test.moc"
