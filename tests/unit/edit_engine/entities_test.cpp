#include <gtest/gtest.h>

#include "edit/entities/entity_placement.h"
#include "edit/entities/entity_record.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

struct EntityFixture : EngineFixture {
  MapLayer* entities = nullptr;
  EntityFixture() {
    layer("Level", 64, 40, LayerKind::Primary);
    entities = &layer("Entities", 0, 0, LayerKind::Entity);
    engine->mapTools().setTool(ToolKind::EntityPlacement);  // the command stays disabled
  }
  EntityRecord at(int slot) { return readEntity(*entities, slot).value(); }
};

TEST(EntityRecord, ReadsAndWritesTheSlotLayoutLittleEndian) {
  EntityFixture f;
  ASSERT_TRUE(writeEntity(*f.entities, 3, EntityRecord{true, 0x0102, -1, -5, 0x01020304}));
  const std::uint8_t* slot = f.entities->entities.data() + 3 * 48;
  EXPECT_EQ(slot[0], 1);
  EXPECT_EQ(slot[2], 0x02);
  EXPECT_EQ(slot[3], 0x01);
  EXPECT_EQ(slot[4], 0xFF);
  EXPECT_EQ(slot[8], 0xFB);
  EXPECT_EQ(slot[12], 0x04);
  EXPECT_EQ(slot[15], 0x01);
  EXPECT_FALSE(writeEntity(*f.entities, 32, EntityRecord{}));
  EXPECT_FALSE(readEntity(*f.project().findLayerOfKind(LayerKind::Primary), 0));
}

TEST(Entities, SpawnPlacesAtTheMouseAndReusesTheLowestFreeSlot) {
  EntityFixture f;
  f.run(cmd::kZoom2);
  f.state().view.scrollX = 100;
  f.state().view.scrollY = 40;
  f.engine->mouseMove({50, 30}, {}, {});
  spawnEntity(f.state(), 4);
  EXPECT_EQ(f.at(0), (EntityRecord{true, 4, 1, 75, 45}));
  EXPECT_EQ(f.project().selectedEntity, 0);
  EXPECT_TRUE(f.state().entityDrag.dragging);
  EXPECT_TRUE(f.project().modified);
  for (int i = 1; i < 32; ++i) spawnEntity(f.state(), 0);
  spawnEntity(f.state(), 0);
  EXPECT_EQ(f.services.lastText(), "Darn, no free entities!");
  EXPECT_EQ(f.services.lastMessage().icon, MessageIcon::None);
  f.project().setActiveLayer(f.entities);
  f.project().selectedEntity = 7;
  deleteSelectedEntity(f.state());
  spawnEntity(f.state(), 2);
  EXPECT_EQ(f.at(7).type, 2);
}

TEST(Entities, SpawnWithoutAnEntityLayerAsksToAddOne) {
  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    EngineFixture f;
    f.layer("Level", 64, 40, LayerKind::Primary);
    f.services.answers.push_back(answer);
    spawnEntity(f.state(), 1);
    EXPECT_EQ(f.services.lastText(), "No entity layer is present in your project, would you like to add one?");
    EXPECT_EQ(f.services.lastMessage().buttons, MessageButtons::YesNo);
    const MapLayer* added = f.project().findLayerOfKind(LayerKind::Entity);
    EXPECT_EQ(added != nullptr, answer == MessageAnswer::Yes);
    if (added != nullptr) {
      EXPECT_EQ(added->nameText(), "Entities");
      EXPECT_EQ(f.project().activeLayer, added);
      EXPECT_TRUE(readEntity(*added, 0)->inUse);
    }
  }
}

TEST(Entities, PressesPickTheLowestSlotWithinTheSpriteAndDragsMoveBySteps) {
  EntityFixture f;  // zoom 1, no scroll, no origin: window pixels are map pixels
  writeEntity(*f.entities, 2, EntityRecord{true, 0, 1, 100, 200});
  writeEntity(*f.entities, 5, EntityRecord{true, 0, 1, 160, 190});
  EXPECT_EQ(entityAt(*f.entities, {100, 136}), 2) << "64 pixels above the foot";
  EXPECT_EQ(entityAt(*f.entities, {100, 135}), -1) << "65 above: missed";
  EXPECT_EQ(entityAt(*f.entities, {68, 200}), 2);
  EXPECT_EQ(entityAt(*f.entities, {67, 200}), -1);
  EXPECT_EQ(entityAt(*f.entities, {150, 150}), 5);
  EXPECT_EQ(entityAt(*f.entities, {130, 180}), 2) << "overlapping: the lower slot";

  f.run(cmd::kZoom2);
  f.project().modified = false;
  f.drag({{200, 380}, {207, 390}});  // map (100, 190): slot 2; moved by (3.5, 5)
  EXPECT_EQ(f.project().selectedEntity, 2);
  EXPECT_EQ(f.at(2).x, 103);
  EXPECT_EQ(f.at(2).y, 205);
  EXPECT_TRUE(f.project().modified);
  f.drag({{0, 0}, {50, 50}});  // a miss keeps the selection and moves nothing
  EXPECT_EQ(f.project().selectedEntity, 2);
  EXPECT_EQ(f.at(2).x, 103);
}

TEST(Entities, CloneFlipAndClearActOnTheSelection) {
  EntityFixture f;
  f.project().setActiveLayer(f.entities);
  writeEntity(*f.entities, 0, EntityRecord{true, 3, 1, 40, 80});
  f.project().selectedEntity = 0;
  cloneSelectedEntity(f.state());
  EXPECT_EQ(f.at(1), f.at(0));
  EXPECT_EQ(f.project().selectedEntity, 0);
  f.key(Key::H);
  EXPECT_EQ(f.at(0).facing, -1);
  f.key(Key::H);
  EXPECT_EQ(f.at(0).facing, 1);
  f.key(Key::Escape);
  EXPECT_EQ(f.project().selectedEntity, -1);
  cloneSelectedEntity(f.state());  // nothing selected: nothing happens
  EXPECT_FALSE(f.at(2).inUse);
}

}  // namespace
}  // namespace qarto::test
