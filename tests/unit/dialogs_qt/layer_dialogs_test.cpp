// Shift Layer Data and Resize Layer as windows over the core's models:
// every control reaches the model, OK is one undo step or the new size, a
// refusal keeps the window open. What the models do with the cells (and
// Cancel giving them back) is the core's tests.
#include <QCheckBox>
#include <QSlider>
#include <QToolButton>

#include "app/dialogs/layers/resize_layer_dialog.h"
#include "app/dialogs/layers/shift_layer_dialog.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

// A 40 x 24 primary layer whose cell i shows tile i.
struct LayerFixture : DialogFixture {
  MapLayer& level = *project().addLayer("Level", 40, 24, 1.0f, 1.0f, LayerKind::Primary, true);
  LayerFixture() {
    for (std::size_t i = 0; i < level.cells.size(); ++i) level.cells[i].tile = static_cast<std::int16_t>(i);
    project().journal().clear();
  }
  std::vector<int> row(int y) const {
    std::vector<int> tiles;
    for (int x = 0; x < 4; ++x) tiles.push_back(level.cells[static_cast<std::size_t>(y * 40 + x)].tile);
    return tiles;
  }
};

TEST(ShiftLayerDialog, EveryControlMovesThePreviewAndOkKeepsOneUndoStep) {
  LayerFixture f;
  ShiftLayerDialog dialog(f.session);
  ASSERT_TRUE(dialog.begin());
  showAndWait(dialog);
  child<QSlider>(dialog, "horizontal")->setValue(42);
  EXPECT_EQ(child<QLineEdit>(dialog, "horizontalShift")->text(), "2");
  EXPECT_EQ(f.row(0), (std::vector<int>{0, 0, 0, 1}));  // the layer itself shows the shift
  click(child<QAbstractButton>(dialog, "horizontalLess"));
  click(child<QCheckBox>(dialog, "wrapHorizontally"));
  EXPECT_EQ(f.row(0), (std::vector<int>{39, 0, 1, 2}));
  click(child<QAbstractButton>(dialog, "verticalMore"));
  EXPECT_EQ(child<QLineEdit>(dialog, "verticalShift")->text(), "1");
  click(button(dialog, "OK"));
  EXPECT_EQ(f.row(1), (std::vector<int>{39, 0, 1, 2}));
  EXPECT_EQ(f.project().journal().size(), 1u);
}

TEST(ResizeLayerDialog, EveryControlReachesTheNewSizes) {
  LayerFixture f;
  f.project().addLayer("Far", 0, 0, 0.5f, 0.5f, LayerKind::Secondary, false);
  ResizeLayerDialog dialog(f.session);
  ASSERT_TRUE(dialog.begin());
  showAndWait(dialog);
  click(child<QCheckBox>(dialog, "stretchHorizontally"));
  EXPECT_EQ(std::pair(dialog.anchorButton(0)->isEnabled(), dialog.anchorButton(1)->isEnabled()), std::pair(false, true));
  click(child<QCheckBox>(dialog, "stretchHorizontally"));
  type(child<QLineEdit>(dialog, "newWidth"), "29");
  click(button(dialog, "OK"));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(f.services.lastText(),
            "Map sizes must be no smaller than (30,20) and no larger than (1024,1024).\n\nPlease choose a valid size.");

  click(dialog.anchorButton(0));
  type(child<QLineEdit>(dialog, "newWidth"), "42");
  type(child<QLineEdit>(dialog, "newHeight"), "30");
  click(button(dialog, "OK"));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(std::tuple(f.level.width, f.level.height), std::tuple(42, 30));
  EXPECT_EQ(f.row(0), (std::vector<int>{0, 1, 2, 3}));  // the top-left anchor keeps the corner
  // The secondary layer follows its parallax: 30 + ceil(0.5 x 12) by 20 + ceil(0.5 x 10).
  MapLayer& far = *f.project().layerAt(0);
  EXPECT_EQ(std::tuple(far.width, far.height), std::tuple(36, 25));

  // The active secondary layer takes a new parallax instead: 30 + ceil(0.25 x 12) by 20 + ceil(0.25 x 10).
  f.project().setActiveLayer(&far);
  ResizeLayerDialog parallax(f.session);
  ASSERT_TRUE(parallax.begin());
  showAndWait(parallax);
  EXPECT_FALSE(child<QLineEdit>(parallax, "newWidth")->isVisible());
  type(child<QLineEdit>(parallax, "newParallax"), "0.25");
  click(button(parallax, "OK"));
  EXPECT_EQ(std::tuple(far.width, far.height, far.parallaxX, far.parallaxY), std::tuple(33, 23, 0.25f, 0.25f));
}

}  // namespace
}  // namespace qarto::test
