#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "edit/map_file_commands.h"
#include "example_content.h"
#include "export/tileset_validation.h"
#include "model/editor_session.h"
#include "model/memory_settings_store.h"
#include "model/tileset_host.h"
#include "support/page_files.h"
#include "support/scripted_services.h"

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
    EXPECT_EQ(fresh, test::readBytes(kCommitted + "/" + name))
        << name << " differs: run qarto-make-examples " << kCommitted;
  }
}

TEST(ExampleFiles, PageIsValidAndTheDemoMapOpensWithAllItsLayers) {
  ValidationOptions options;
  options.checkSparse = true;
  const ValidationRun run = validateTilesetFile(kCommitted + "/" + examples::kTilePageFile, options);
  ASSERT_TRUE(run.ok) << run.message;
  EXPECT_FALSE(run.errorsFound) << run.report;

  test::ScriptedServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session(services, settings, host);
  ASSERT_TRUE(loadMap(session, kCommitted + "/" + examples::kDemoMapFile));
  EXPECT_TRUE(services.messages.empty()) << services.lastText();

  const MapProject& project = session.project();
  ASSERT_EQ(project.layerCount(), 4);
  const MapLayer* level = project.findLayerOfKind(LayerKind::Primary);
  const MapLayer* sky = project.findLayerOfKind(LayerKind::Secondary);
  const MapLayer* collision = project.findLayerOfKind(LayerKind::Collision);
  const MapLayer* entities = project.findLayerOfKind(LayerKind::Entity);
  ASSERT_TRUE(level && sky && collision && entities);
  EXPECT_EQ(level->width, 64);
  EXPECT_EQ(level->height, 32);
  EXPECT_FLOAT_EQ(sky->parallaxX, 0.5f);
  EXPECT_EQ(sky->width, 47);

  const Tileset* page = session.registry().find(level->cell(0, 24).tileset);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->tileCount, 128);
  EXPECT_TRUE(page->hasCollisionSet);
  EXPECT_EQ(level->cell(0, 24).tile, examples::kGrassTile);
  EXPECT_EQ(collision->cell(0, 24).tile, examples::kCollisionSolid);
  EXPECT_EQ(collision->cell(0, 24).collision, examples::kSolidFlag);
  EXPECT_EQ(collision->cell(0, 24).tileset, project.collisionTileset->id);

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

  test::ScriptedServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session(services, settings, host);
  const bool loaded = loadMap(session, std::string(examples::kDemoMapFile));
  const bool saved = loaded && saveMap(session, false);
  std::filesystem::current_path(previous);

  ASSERT_TRUE(loaded && saved) << services.lastText();
  EXPECT_EQ(test::readBytes(folder.file(examples::kDemoMapFile)), committed);
}

}  // namespace
}  // namespace qarto
