// A catalogue row's own sprite replaces the entity strip's picture of its
// type, mirrored for a left-facing entity, and a newly read catalogue is
// drawn with its new sprites.

#include "edit/entities/entity_catalogue.h"
#include "edit/entities/entity_record.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

// 32 x 32 RGBA: the left half `left`, the right half `right`, opaque.
std::vector<std::uint8_t> halves(std::array<std::uint8_t, 3> left, std::array<std::uint8_t, 3> right) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const auto& c = x < 16 ? left : right;
      rgba.insert(rgba.end(), {c[0], c[1], c[2], 255});
    }
  }
  return rgba;
}

using EntitySpritesTest = RenderFixture;

TEST_F(EntitySpritesTest, CatalogueSpritesFaceTheirWayAndFollowANewCatalogue) {
  MapLayer& entities = addLayer("Entities", 30, 20, 1.0f, LayerKind::Entity);
  writeEntity(entities, 0, EntityRecord{true, 12, 1, 100, 100});
  writeEntity(entities, 1, EntityRecord{true, 12, -1, 200, 100});
  EntityCatalogue& catalogue = state().entityCatalogue;
  catalogue.setFileRows("game.ini", {EntityType{"Goblin", "", 12, 12, halves({255, 0, 0}, {0, 0, 255})}});
  // Sprites are 64 pixels square at zoom 1, their foot point at the bottom centre.
  auto colour = [](const Frame& f, int x, int y) {
    return std::vector<int>{f.pixel(x, y)[0], f.pixel(x, y)[1], f.pixel(x, y)[2]};
  };
  Frame frame = draw();
  EXPECT_EQ(colour(frame, 84, 68), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(colour(frame, 116, 68), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(colour(frame, 184, 68), (std::vector<int>{0, 0, 255})) << "facing left";
  EXPECT_EQ(colour(frame, 216, 68), (std::vector<int>{255, 0, 0}));
  catalogue.setFileRows("game.ini", {EntityType{"Goblin", "", 12, 12, halves({0, 255, 0}, {0, 255, 0})}});
  frame = draw();
  EXPECT_EQ(colour(frame, 84, 68), (std::vector<int>{0, 255, 0}));
}

}  // namespace
}  // namespace qarto::test
