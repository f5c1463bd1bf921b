#include <gtest/gtest.h>

#include "edit/layers/layer_delete.h"
#include "edit/layers/layer_order.h"
#include "layers_fixture.h"

namespace qarto::test {
namespace {

// From the bottom: D C B A, A the primary layer.
struct FourLayers : LayersFixture {
  MapLayer* a = &layer("A", 30, 20, LayerKind::Primary);
  MapLayer* b = &layer("B", 30, 20, LayerKind::Secondary);
  MapLayer* c = &layer("C", 30, 20, LayerKind::Secondary);
  MapLayer* d = &layer("D", 30, 20, LayerKind::Secondary);
};

TEST(LayerOrder, ShuffleMovesTheActiveLayerOnePlaceAndUndoPutsItBack) {
  struct Case {
    const char* name;
    bool up;
    const char* after;
  };
  const Case cases[] = {
      {"C", true, "D B C A"}, {"C", false, "C D B A"}, {"B", true, "D C A B"}, {"B", false, "D B C A"},
  };
  for (const Case& c : cases) {
    FourLayers f;
    for (const auto& l : f.project().layers()) {
      if (l->nameText() == c.name) f.project().activeLayer = l.get();
    }
    MapLayer* const moved = f.project().activeLayer;
    EXPECT_TRUE(c.up ? shuffleActiveLayerUp(f.session) : shuffleActiveLayerDown(f.session));
    EXPECT_EQ(f.order(), c.after) << c.name << (c.up ? " up" : " down");
    EXPECT_EQ(f.project().activeLayer, moved);
    EXPECT_TRUE(f.project().modified);
    EXPECT_EQ(f.bar.calls, (std::vector<std::string>{"refresh", std::string("active ") + c.name}));

    ASSERT_TRUE(f.journal().undo(f.project()));
    EXPECT_EQ(f.order(), "D C B A") << c.name << (c.up ? " up" : " down") << " undone";
    EXPECT_EQ(f.project().activeLayer, moved);
  }
}

TEST(LayerOrder, TwoShufflesUndoneOneByOneRetraceTheOrders) {
  FourLayers f;
  f.project().activeLayer = f.d;
  shuffleActiveLayerUp(f.session);
  shuffleActiveLayerUp(f.session);
  EXPECT_EQ(f.order(), "C B D A");
  f.journal().undo(f.project());
  EXPECT_EQ(f.order(), "C D B A");
  f.journal().undo(f.project());
  EXPECT_EQ(f.order(), "D C B A");
}

TEST(LayerOrder, TheTopCannotGoUpNorTheBottomDownAndNothingIsRecorded) {
  FourLayers f;
  f.project().activeLayer = f.a;
  EXPECT_FALSE(shuffleActiveLayerUp(f.session));
  f.project().activeLayer = f.d;
  EXPECT_FALSE(shuffleActiveLayerDown(f.session));
  f.project().activeLayer = nullptr;
  EXPECT_FALSE(shuffleActiveLayerUp(f.session));
  EXPECT_FALSE(shuffleActiveLayerDown(f.session));
  EXPECT_EQ(f.order(), "D C B A");
  EXPECT_EQ(f.journal().size(), 0u);
  EXPECT_FALSE(f.project().modified);
  EXPECT_TRUE(f.bar.calls.empty());
}

TEST(LayerDelete, RefusalsSayWhyAndKeepEveryLayer) {
  FourLayers f;
  f.project().activeLayer = nullptr;
  EXPECT_FALSE(deleteActiveLayer(f.session));
  f.project().activeLayer = f.a;
  EXPECT_FALSE(deleteActiveLayer(f.session));
  ASSERT_EQ(f.services.messages.size(), 2u);
  EXPECT_EQ(f.services.messages[0].text, "There is no currently active layer to be deleted.");
  EXPECT_EQ(f.services.messages[1].text, "The primary layer can never be deleted, only resized.");
  for (const auto& m : f.services.messages) {
    EXPECT_EQ(m.caption, "Qarto v0.99");
    EXPECT_EQ(m.icon, MessageIcon::Warning);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
  }
  EXPECT_EQ(f.order(), "D C B A");
  EXPECT_FALSE(f.project().modified);
}

TEST(LayerDelete, TheBottomLayerBecomesActiveAndUndoPutsTheLayerBackWithItsCells) {
  FourLayers f;
  fillDistinct(*f.c);
  const std::vector<MapCell> before = f.c->cells;
  f.project().activeLayer = f.c;
  f.project().selectedEntity = 3;
  EXPECT_TRUE(deleteActiveLayer(f.session));
  EXPECT_EQ(f.order(), "D B A");
  EXPECT_EQ(f.project().activeLayer, f.d);
  EXPECT_EQ(f.project().selectedEntity, -1);
  EXPECT_TRUE(f.project().modified);
  EXPECT_TRUE(f.services.messages.empty()) << "no question is asked";
  EXPECT_EQ(f.bar.calls, (std::vector<std::string>{"refresh", "active D"}));

  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.order(), "D C B A");
  EXPECT_EQ(f.project().layerAt(1), f.c) << "the same layer object comes back";
  EXPECT_EQ(f.c->cells, before);
  EXPECT_EQ(f.project().activeLayer, f.d);
}

}  // namespace
}  // namespace qarto::test
