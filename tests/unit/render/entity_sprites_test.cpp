// A catalogue row's own sprite replaces the entity strip's picture of its
// type, mirrored for a left-facing entity, and a newly read catalogue is
// drawn with its new sprites.

#include "edit/entities/entity_record.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

// 32 x 32 RGBA, opaque: the left half red `left`, the right half blue.
std::vector<std::uint8_t> halves(std::uint8_t left) {
  std::vector<std::uint8_t> rgba;
  for (int i = 0; i < 32 * 32; ++i) rgba.insert(rgba.end(), {i % 32 < 16 ? left : std::uint8_t{0}, 0, 255, 255});
  return rgba;
}

using EntitySpritesTest = RenderFixture;

TEST_F(EntitySpritesTest, CatalogueSpritesFaceTheirWayAndFollowANewCatalogue) {
  MapLayer& entities = addLayer("Entities", 30, 20, 1.0f, LayerKind::Entity);
  writeEntity(entities, 0, EntityRecord{true, 12, 1, 100, 100});
  writeEntity(entities, 1, EntityRecord{true, 12, -1, 200, 100});
  state().entityCatalogue.setFileRows("game.ini", {EntityType{"Goblin", "", 12, 12, halves(255)}});
  // Zoom 1: 64 pixels square, the foot point at the bottom centre.
  auto red = [](const Frame& f, int x) { return f.pixel(x, 68)[0]; };
  Frame frame = draw();
  EXPECT_EQ(std::vector<int>({red(frame, 84), red(frame, 116), red(frame, 184), red(frame, 216)}),
            std::vector<int>({255, 0, 0, 255}));
  EXPECT_EQ(frame.pixel(116, 68)[2], 255);
  state().entityCatalogue.setFileRows("game.ini", {EntityType{"Goblin", "", 12, 12, halves(128)}});
  EXPECT_EQ(red(draw(), 84), 128);
}

}  // namespace
}  // namespace qarto::test
