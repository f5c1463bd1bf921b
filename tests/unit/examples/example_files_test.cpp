#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "edit/map_file_commands.h"
#include "example_content.h"
#include "export/tileset_validation.h"
#include "support/temp_folder.h"
#include "support/test_session.h"

namespace qarto {
namespace {

const std::string kCommitted = QARTO_EXAMPLES_DIR;

TEST(ExampleFiles, RegeneratedFilesMatchTheCommittedOnesByteForByte) {
  test::TempFolder folder;
  std::string message;
  ASSERT_TRUE(examples::writeExamples(folder.path(), message)) << message;
  for (const char* name : {examples::kTilePageFile, examples::kCollisionSetFile, examples::kDemoMapFile}) {
    const auto fresh = test::readBytes(folder.file(name));
    ASSERT_FALSE(fresh.empty()) << name;
    EXPECT_EQ(fresh, test::readBytes(kCommitted + "/" + name)) << name << " differs: run qarto-make-examples " << kCommitted;
  }
}

TEST(ExampleFiles, PageIsValidAndTheDemoMapOpensWithAllItsLayers) {
  const ValidationRun run = validateTilesetFile(kCommitted + "/" + examples::kTilePageFile, {true, true, 1});
  ASSERT_TRUE(run.ok) << run.message;
  EXPECT_FALSE(run.errorsFound) << run.report;

  test::TestSession s;
  ASSERT_TRUE(loadMap(s.session, kCommitted + "/" + examples::kDemoMapFile));
  EXPECT_TRUE(s.services.messages.empty()) << s.services.lastText();
  const MapProject& project = s.project();
  ASSERT_EQ(project.layerCount(), 4);
  const MapLayer* level = project.findLayerOfKind(LayerKind::Primary);
  const MapLayer* sky = project.findLayerOfKind(LayerKind::Secondary);
  const MapLayer* collision = project.findLayerOfKind(LayerKind::Collision);
  const MapLayer* entities = project.findLayerOfKind(LayerKind::Entity);
  ASSERT_TRUE(level && sky && collision && entities);
  EXPECT_EQ(std::pair(int{level->width}, int{level->height}), std::pair(64, 32));
  EXPECT_EQ(std::pair(int{sky->width}, sky->parallaxX), std::pair(47, 0.5f));

  const Tileset* page = s.registry().find(level->cell(0, 24).tileset);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->tileCount, 128);
  EXPECT_TRUE(page->hasCollisionSet);
  EXPECT_EQ(level->cell(0, 24).tile, examples::kGrassTile);
  EXPECT_EQ(collision->cell(0, 24), (MapCell{examples::kCollisionSolid, static_cast<std::int8_t>(project.collisionTileset->id), 0, examples::kSolidFlag}));
  int inUse = 0;
  for (int slot = 0; slot < kEntitySlots; ++slot) inUse += entities->entities[slot * kEntityRecordSize] != 0;
  EXPECT_EQ(inUse, 4);
}

// The map stores its own name relative to its folder, so opening it from
// there and saving it again gives the same bytes.
TEST(ExampleFiles, DemoMapRoundTripsByteForByte) {
  test::TempFolder folder;
  const auto committed = test::readBytes(kCommitted + "/" + examples::kDemoMapFile);
  test::writeBytes(folder.file(examples::kDemoMapFile), committed);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  test::TestSession s;
  const bool loaded = loadMap(s.session, std::string(examples::kDemoMapFile));
  const bool saved = loaded && saveMap(s.session, false);
  std::filesystem::current_path(previous);
  ASSERT_TRUE(loaded && saved) << s.services.lastText();
  EXPECT_EQ(test::readBytes(folder.file(examples::kDemoMapFile)), committed);
}

}  // namespace
}  // namespace qarto
