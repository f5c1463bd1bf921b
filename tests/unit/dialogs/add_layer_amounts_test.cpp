// Add Layer's OK on amounts as the dialog reads them from its edits: the
// same reading and the same checks as the New Map Wizard.
#include <gtest/gtest.h>

#include "model/project/layer_amounts.h"
#include "support/dialog_fixture.h"

namespace qarto::test {
namespace {

const std::string kBadParallax =
    "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";
const std::string kBadSize =
    "Map sizes must be no smaller than (30,20) tiles and no larger than (1024,1024) tiles.\n\nPlease choose a valid "
    "size.";

AddLayerRequest typed(const char* x, SizeUnit unitX, const char* y, SizeUnit unitY) {
  AddLayerRequest request;
  request.name = "typed";
  request.amountX = amountOrNaN(x);
  request.unitX = unitX;
  request.amountY = amountOrNaN(y);
  request.unitY = unitY;
  return request;
}

TEST(AddLayerAmounts, TypedAmountsInEachUnit) {
  const struct {
    const char* x;
    SizeUnit unitX;
    const char* y;
    SizeUnit unitY;
    int width;
    int height;
  } cases[] = {
      {"1.00", SizeUnit::Parallax, "1.00", SizeUnit::Parallax, 128, 64},
      {"0.5", SizeUnit::Parallax, "0.5", SizeUnit::Parallax, 79, 42},
      {"256", SizeUnit::Pixels, "2.0", SizeUnit::Screens, 32, 40},
      {"2.0", SizeUnit::Screens, "20", SizeUnit::Tiles, 60, 20},
      {"40.9", SizeUnit::Tiles, "167", SizeUnit::Pixels, 40, 20},
  };
  for (const auto& c : cases) {
    DialogFixture f;
    f.project().addLayer("ground", 128, 64, 1.0f, 1.0f, LayerKind::Primary, true);
    const AddLayerResult result = f.project().requestAddLayer(typed(c.x, c.unitX, c.y, c.unitY));
    ASSERT_EQ(result.outcome, AddLayerOutcome::Added) << c.x << " " << c.y;
    EXPECT_EQ(result.layer->width, c.width) << c.x;
    EXPECT_EQ(result.layer->height, c.height) << c.y;
  }
}

TEST(AddLayerAmounts, NotANumberInfinityAndOverflowAreRefused) {
  const struct {
    const char* x;
    SizeUnit unitX;
    const char* y;
    SizeUnit unitY;
    const std::string& message;
  } cases[] = {
      {"nan", SizeUnit::Parallax, "1", SizeUnit::Parallax, kBadParallax},
      {"1", SizeUnit::Parallax, "-inf", SizeUnit::Parallax, kBadParallax},
      {"1e999", SizeUnit::Parallax, "1", SizeUnit::Parallax, kBadParallax},
      {"nan", SizeUnit::Tiles, "40", SizeUnit::Tiles, kBadSize},
      {"40", SizeUnit::Tiles, "inf", SizeUnit::Screens, kBadSize},
      {"1e300", SizeUnit::Pixels, "40", SizeUnit::Tiles, kBadSize},
      {"99999999999", SizeUnit::Tiles, "40", SizeUnit::Tiles, kBadSize},
  };
  for (const auto& c : cases) {
    DialogFixture f;
    f.project().addLayer("ground", 128, 64, 1.0f, 1.0f, LayerKind::Primary, true);
    const AddLayerResult result = f.project().requestAddLayer(typed(c.x, c.unitX, c.y, c.unitY));
    EXPECT_EQ(result.outcome, AddLayerOutcome::KeepDialogOpen) << c.x << " " << c.y;
    EXPECT_EQ(f.services.lastText(), c.message) << c.x << " " << c.y;
    EXPECT_EQ(f.project().layerCount(), 1);
  }
}

}  // namespace
}  // namespace qarto::test
