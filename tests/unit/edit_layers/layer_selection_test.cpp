#include <gtest/gtest.h>

#include "edit/layers/layer_selection.h"
#include "layers_fixture.h"

namespace qarto::test {
namespace {

// Stack from the bottom: C B A (A is the primary layer, added first, so it
// ends up on top).
struct ThreeLayers : LayersFixture {
  MapLayer* a = &layer("A", 30, 20, LayerKind::Primary);
  MapLayer* b = &layer("B", 30, 20, LayerKind::Secondary);
  MapLayer* c = &layer("C", 30, 20, LayerKind::Secondary);
};

TEST(LayerSelection, NextGoesDownAndPreviousGoesUpWrappingAtTheEnds) {
  struct Case {
    const char* from;
    bool next;
    const char* to;
  };
  const Case cases[] = {
      {"A", true, "B"}, {"B", true, "C"}, {"C", true, "A"},    // bottom wraps to the top
      {"C", false, "B"}, {"B", false, "A"}, {"A", false, "C"},  // top wraps to the bottom
  };
  for (const Case& c : cases) {
    ThreeLayers f;
    ASSERT_EQ(f.order(), "C B A");
    for (const auto& l : f.project().layers()) {
      if (l->nameText() == c.from) f.project().activeLayer = l.get();
    }
    if (c.next) {
      selectNextLayer(f.session);
    } else {
      selectPreviousLayer(f.session);
    }
    EXPECT_EQ(f.project().activeLayer->nameText(), c.to) << c.from << (c.next ? " next" : " previous");
    EXPECT_EQ(f.bar.calls, (std::vector<std::string>{"refresh", std::string("active ") + c.to}));
    EXPECT_FALSE(f.project().modified);
    EXPECT_EQ(f.order(), "C B A");
  }
}

TEST(LayerSelection, TogglesFlipOneFlagOfTheActiveLayerOnlyAndLeaveModifiedAlone) {
  ThreeLayers f;
  f.project().activeLayer = f.b;
  toggleActiveLayerVisible(f.session);
  toggleActiveLayerAlpha(f.session);
  toggleActiveLayerLocked(f.session);
  EXPECT_FALSE(f.b->visible);
  EXPECT_TRUE(f.b->alpha);
  EXPECT_TRUE(f.b->locked);
  for (MapLayer* other : {f.a, f.c}) {
    EXPECT_TRUE(other->visible);
    EXPECT_FALSE(other->alpha);
    EXPECT_FALSE(other->locked);
  }
  toggleActiveLayerVisible(f.session);
  EXPECT_TRUE(f.b->visible);
  EXPECT_FALSE(f.project().modified);
  EXPECT_EQ(f.bar.calls.size(), 4u);
  EXPECT_EQ(f.bar.calls.back(), "refresh");
  EXPECT_EQ(f.journal().size(), 0u);
}

TEST(LayerSelection, SoloHidesAllButTheActiveLayerAndShowAllShowsEveryLayer) {
  ThreeLayers f;
  f.project().activeLayer = f.b;
  f.b->visible = false;  // solo shows the active layer even when it was hidden
  soloActiveLayer(f.session);
  EXPECT_FALSE(f.a->visible);
  EXPECT_TRUE(f.b->visible);
  EXPECT_FALSE(f.c->visible);
  showAllLayers(f.session);
  EXPECT_TRUE(f.a->visible && f.b->visible && f.c->visible);
  EXPECT_FALSE(f.project().modified);
}

TEST(LayerSelection, WithoutAnActiveLayerNothingChanges) {
  ThreeLayers f;
  f.project().activeLayer = nullptr;
  selectNextLayer(f.session);
  selectPreviousLayer(f.session);
  toggleActiveLayerVisible(f.session);
  toggleActiveLayerAlpha(f.session);
  toggleActiveLayerLocked(f.session);
  soloActiveLayer(f.session);
  EXPECT_EQ(f.project().activeLayer, nullptr);
  for (const auto& l : f.project().layers()) {
    EXPECT_TRUE(l->visible);
    EXPECT_FALSE(l->alpha);
    EXPECT_FALSE(l->locked);
  }
  EXPECT_TRUE(f.bar.calls.empty());
  EXPECT_TRUE(f.services.messages.empty());
}

}  // namespace
}  // namespace qarto::test
