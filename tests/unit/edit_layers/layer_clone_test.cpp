#include <gtest/gtest.h>

#include <string>

#include "edit/layers/layer_clone.h"
#include "layers_fixture.h"

namespace qarto::test {
namespace {

TEST(LayerClone, CopiesSizeKindParallaxFlagsAndEveryCellUnderACloneName) {
  LayersFixture f;
  f.layer("Level", 40, 30, LayerKind::Primary);
  MapLayer& hills = f.layer("Hills", 35, 22, LayerKind::Secondary, 0.75f);
  fillDistinct(hills);
  hills.cells[5].reserved = 9;  // not a field clone copies
  hills.visible = false;
  hills.alpha = true;
  hills.locked = true;

  MapLayer* clone = cloneActiveLayer(f.session);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->nameText(), "Clone of Hills");
  EXPECT_EQ(clone->kind, LayerKind::Secondary);
  EXPECT_EQ(clone->width, 35);
  EXPECT_EQ(clone->height, 22);
  EXPECT_FLOAT_EQ(clone->parallaxX, 0.75f);
  EXPECT_FLOAT_EQ(clone->parallaxY, 0.75f);
  EXPECT_FALSE(clone->visible);
  EXPECT_TRUE(clone->alpha);
  EXPECT_FALSE(clone->locked) << "locking is not copied";
  EXPECT_EQ(clone->cells[5].reserved, 0);
  clone->cells[5].reserved = 9;
  EXPECT_EQ(clone->cells, hills.cells);
  EXPECT_EQ(f.order(), "Clone of Hills Hills Level");
  EXPECT_EQ(f.project().activeLayer, &hills) << "a clone of a secondary layer does not become active";
  EXPECT_TRUE(f.project().modified);

  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.order(), "Hills Level");
  EXPECT_EQ(f.project().activeLayer, &hills);
}

TEST(LayerClone, TheCloneOfThePrimaryLayerIsAnActiveSecondaryLayerWithParallaxOne) {
  LayersFixture f;
  MapLayer& level = f.layer("Level", 40, 30, LayerKind::Primary);
  level.parallaxX = 0.5f;  // a primary layer's parallax is not carried over
  MapLayer* clone = cloneActiveLayer(f.session);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->kind, LayerKind::Secondary);
  EXPECT_FLOAT_EQ(clone->parallaxX, 1.0f);
  EXPECT_FLOAT_EQ(clone->parallaxY, 1.0f);
  EXPECT_EQ(f.project().activeLayer, clone);
  EXPECT_EQ(f.bar.calls.back(), "active Clone of Level");
  f.journal().undo(f.project());
  EXPECT_EQ(f.project().activeLayer, &level);
}

TEST(LayerClone, ALongNameKeepsThirtyOneCharacters) {
  LayersFixture f;
  f.layer("Level", 30, 20, LayerKind::Primary);
  const std::string longest(31, 'x');
  f.layer(longest, 30, 20, LayerKind::Secondary);
  MapLayer* clone = cloneActiveLayer(f.session);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->nameText(), "Clone of xxxxxxxxxxxxxxxxxxxxxx");
  EXPECT_EQ(clone->nameText().size(), 31u);
  EXPECT_EQ(clone->name[31], '\0');
}

TEST(LayerClone, AnEntityLayerCloneCopiesTheEntityBlock) {
  LayersFixture f;
  f.layer("Level", 30, 20, LayerKind::Primary);
  MapLayer& enemies = f.layer("Enemies", 30, 20, LayerKind::Entity);
  for (std::size_t i = 0; i < enemies.entities.size(); ++i) enemies.entities[i] = static_cast<std::uint8_t>(i * 13);
  MapLayer* clone = cloneActiveLayer(f.session);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->kind, LayerKind::Entity);
  EXPECT_TRUE(clone->cells.empty());
  EXPECT_EQ(clone->entities, enemies.entities);
}

TEST(LayerClone, ACollisionLayerCloneAsksFirstAndNoAddsNothing) {
  LayersFixture f;
  f.layer("Level", 30, 20, LayerKind::Primary);
  f.layer("Walls", 30, 20, LayerKind::Collision);
  f.services.answers.push_back(MessageAnswer::No);
  EXPECT_EQ(cloneActiveLayer(f.session), nullptr);
  ASSERT_EQ(f.services.messages.size(), 1u);
  EXPECT_EQ(f.services.lastText(),
            "A collision layer is already present in the project.  Are you sure you want to add another one?");
  EXPECT_EQ(f.order(), "Walls Level");

  f.services.answers.push_back(MessageAnswer::Yes);
  MapLayer* clone = cloneActiveLayer(f.session);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->kind, LayerKind::Collision);
}

TEST(LayerClone, NothingWithoutAnActiveLayer) {
  LayersFixture f;
  f.layer("Level", 30, 20, LayerKind::Primary);
  f.project().activeLayer = nullptr;
  EXPECT_EQ(cloneActiveLayer(f.session), nullptr);
  EXPECT_EQ(f.project().layerCount(), 1);
  EXPECT_FALSE(f.project().modified);
}

}  // namespace
}  // namespace qarto::test
