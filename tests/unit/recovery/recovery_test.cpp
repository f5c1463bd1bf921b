// Failed saves, recovery copies written, offered and dropped, files changed by others.

#include <gtest/gtest.h>
#include <utime.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "edit/recovery/disk_watch.h"
#include "edit/recovery/recovery_keeper.h"
#include "edit/recovery/recovery_offer.h"
#include "edit/session/map_file_commands.h"
#include "io/map_file/map_file_writer.h"
#include "io/recovery/recovery_copies.h"
#include "support/failing_file_system.h"
#include "support/temp_folder.h"
#include "support/test_session.h"

namespace qarto::test {
namespace {

// A saved 30x20 map whose cells count up, with unsaved changes on top.
struct SavedMap {
  TempFolder folder;
  TestSession f;
  std::string path = folder.file("level.qrm");
  std::vector<std::uint8_t> saved;
  SavedMap() {
    MapLayer& layer = f.addLayer(LayerKind::Primary, "Main", 30, 20);
    for (std::size_t i = 0; i < layer.cells.size(); ++i) layer.cells[i].tile = static_cast<std::uint16_t>(i);
    f.project().filePath = path;
    EXPECT_TRUE(saveMap(f.session, false));
    saved = readBytes(path);
    layer.cells[7].tile = 999;
    f.project().modified = true;
  }
};

TEST(Recovery, ASaveFailingAtAnyStepKeepsThePreviousFileAndSaysWhatAndWhere) {
  const struct { WriteStep step; int error; const char* says; } cases[] = {
      {WriteStep::CreateTemporary, EROFS, ": the folder is read-only or not yours to write (creating the file)."},
      {WriteStep::CreateTemporary, ENOENT, ": the folder does not exist (any more) (creating the file)."},
      {WriteStep::Write, ENOSPC, ": the disk is full (writing the file)."},
      {WriteStep::Sync, EIO, ": the disk reported an input/output error (flushing the file to disk)."},
      {WriteStep::SyncFolder, EIO, ": the disk reported an input/output error (flushing the folder to disk)."},
      {WriteStep::Rename, EDQUOT, ": the disk is full (replacing the previous file)."},
  };
  for (const auto& c : cases) {
    SavedMap m;
    FailingFileSystem system(c.step, c.error);
    MapFileHooks hooks{{}, [&system](const std::string& t) { return std::make_unique<AtomicSaveTarget>(t, system); }};
    EXPECT_FALSE(saveMap(m.f.session, false, hooks));
    EXPECT_EQ(m.f.services.lastText(), "File could not be opened for save.\n\n" + m.path + c.says +
                                           "\n\nThe file on disk is unchanged and the map keeps its unsaved changes.");
    EXPECT_EQ(readBytes(m.path), m.saved);
    EXPECT_TRUE(m.f.project().modified);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m.folder.path()), {}), 1);  // no temporary left
  }
}

TEST(Recovery, ACopyFollowsTheChangesAtMostOncePerIntervalAndGoesWithThem) {
  SavedMap m;
  TempFolder state;
  RecoveryKeeper keeper(m.f.session, {state.path() + "/recovery", std::chrono::seconds(10), false, 42});
  const RecoveryKeeper::Clock::time_point start = RecoveryKeeper::Clock::now();
  keeper.changed(start);
  EXPECT_FALSE(keeper.tick(start + std::chrono::seconds(9)));
  EXPECT_TRUE(keeper.tick(start + std::chrono::seconds(10)));
  // The whole project in the map file format, under a name of its own path.
  ASSERT_EQ(keeper.copyPath(), recoveryCopyPath(state.path() + "/recovery", m.path + "/../level.qrm", 0));
  EXPECT_EQ(recoveryCopyPath("/state", "", 77), "/state/untitled-77.qrm");
  std::vector<std::uint8_t> encoded;
  ASSERT_TRUE(encodeMapFile(m.f.project(), m.f.registry(), encoded));
  EXPECT_EQ(readBytes(keeper.copyPath()), encoded);
  EXPECT_FALSE(keeper.tick(start + std::chrono::seconds(30)));  // nothing changed since
  keeper.changed(start + std::chrono::seconds(15));
  EXPECT_FALSE(keeper.tick(start + std::chrono::seconds(19)));
  EXPECT_TRUE(keeper.tick(start + std::chrono::seconds(20)));

  const std::string copy = keeper.copyPath();
  ASSERT_TRUE(saveMap(m.f.session, false));
  keeper.changed(start + std::chrono::seconds(40));
  EXPECT_FALSE(std::filesystem::exists(copy));
}

// Three copies left by a crash: one per answer, one too old, one damaged.
TEST(Recovery, TheNextStartOffersEachFreshCopyAndDoesWhatTheAnswerSays) {
  TempFolder state;
  const std::string folder = state.path();
  const std::int64_t now = std::time(nullptr);
  std::vector<std::string> maps = {"/maps/kept.qrm", "/maps/dropped.qrm", "/maps/restored.qrm", "/maps/old.qrm"};
  std::vector<std::vector<std::uint8_t>> contents;
  for (std::size_t i = 0; i < maps.size(); ++i) {
    SavedMap m;
    m.f.project().filePath = maps[i];
    m.f.project().layerAt(0)->cells[3].tile = static_cast<std::uint16_t>(500 + i);
    RecoveryKeeper keeper(m.f.session, {folder, std::chrono::seconds(0), false, 1});
    keeper.changed(RecoveryKeeper::Clock::now());
    keeper.tick(RecoveryKeeper::Clock::now());
    contents.push_back(readBytes(keeper.copyPath()));
    const std::int64_t when = now - 100 * static_cast<std::int64_t>(i) - (i == 3 ? kRecoveryMaxAgeSeconds + 1 : 0);
    const utimbuf times{when, when};
    utime(keeper.copyPath().c_str(), &times);
  }
  writeBytes(folder + "/broken.qrm", {'n', 'o', 't', ' ', 'a', ' ', 'm', 'a', 'p'});

  TestSession f;
  f.services.buttonAnswers = {2, 1, 0};  // Later, Discard, Restore
  RecoveryKeeper keeper(f.session, {folder, std::chrono::seconds(10), false, 2});
  ASSERT_TRUE(offerRecoveryCopies(f.session, folder, now, {}, &keeper));

  ASSERT_EQ(f.services.choices.size(), 3u);
  EXPECT_EQ(f.services.choices[0].first,
            "Qarto closed before saving /maps/kept.qrm (changes from " + recoveryTimeText(now) + "). Restore them?");
  EXPECT_EQ(f.services.choices[0].second, "Restore|Discard|Later");
  EXPECT_EQ(f.services.texts(), std::vector<std::string>{"The recovery copy " + folder +
                                                         "/broken.qrm could not be read.\n\nIt was kept aside as " +
                                                         folder + "/broken.qrm.damaged."});
  EXPECT_TRUE(std::filesystem::exists(folder + "/broken.qrm.damaged"));
  EXPECT_EQ(readBytes(recoveryCopyPath(folder, maps[0], 0)), contents[0]);     // Later
  EXPECT_FALSE(std::filesystem::exists(recoveryCopyPath(folder, maps[1], 0)));  // Discard
  EXPECT_TRUE(std::filesystem::exists(recoveryCopyPath(folder, maps[3], 0)));   // too old to ask about
  // Restore: the copy's map under its own path, unsaved, nothing written there.
  EXPECT_EQ(f.project().filePath, maps[2]);
  EXPECT_TRUE(f.project().modified);
  EXPECT_EQ(f.project().layerAt(0)->cells[3].tile, 502);
  EXPECT_EQ(keeper.copyPath(), recoveryCopyPath(folder, maps[2], 0));
  EXPECT_FALSE(std::filesystem::exists(maps[2]));
}

TEST(Recovery, AFileChangedByAnotherProgramIsNeverReloadedOrOverwrittenUnasked) {
  SavedMap m;
  DiskWatch watch;
  MapFileHooks hooks{{}, {}, [&watch](const std::string& path) { watch.settled(path); },
                     [&](const std::string& path) { return watch.confirmOverwrite(m.f.services, path); }};
  watch.settled(m.path);
  EXPECT_FALSE(watch.checkOnFocus(m.f.session, hooks));  // unchanged: no question
  const std::size_t cell7 = 281 + 96 + 7 * 8;  // its tile, rewritten at the same size and maybe the same time
  std::vector<std::uint8_t> theirs = m.saved;
  theirs[cell7] = 42;
  writeBytes(m.path, theirs);

  const std::string changed = m.path + " was changed by another program";
  m.f.services.buttonAnswers = {1};  // Keep mine
  EXPECT_FALSE(watch.checkOnFocus(m.f.session, hooks));
  ASSERT_EQ(m.f.services.choices.size(), 1u);
  EXPECT_EQ(m.f.services.choices.back().second, "Reload|Keep mine");
  EXPECT_EQ(m.f.services.choices.back().first.rfind(changed + ", and this map has unsaved changes.", 0), 0u);
  EXPECT_EQ(m.f.project().layerAt(0)->cells[7].tile, 999);
  EXPECT_FALSE(watch.checkOnFocus(m.f.session, hooks));  // asked once per change
  EXPECT_EQ(m.f.services.choices.size(), 1u);

  m.f.services.answers = {MessageAnswer::No};
  EXPECT_FALSE(saveMap(m.f.session, false, hooks));
  EXPECT_EQ(m.f.services.lastText(), changed + " since Qarto loaded or saved it.  Save over it?");
  EXPECT_EQ(readBytes(m.path), theirs);

  theirs[cell7] = 43;
  writeBytes(m.path, theirs);
  m.f.services.buttonAnswers = {0};  // Reload
  EXPECT_TRUE(watch.checkOnFocus(m.f.session, hooks));
  EXPECT_FALSE(m.f.project().modified);
  EXPECT_EQ(m.f.project().layerAt(0)->cells[7].tile, 43);
}

}  // namespace
}  // namespace qarto::test
