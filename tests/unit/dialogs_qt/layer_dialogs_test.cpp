// Shift Layer Data with its live preview, and Resize Layer with its anchor
// grid, as windows over the core's models.
#include <QCheckBox>
#include <QRadioButton>
#include <QSignalSpy>
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
    project().modified = false;
  }
  std::vector<int> row(int y) const {
    std::vector<int> tiles;
    for (int x = 0; x < 4; ++x) tiles.push_back(level.cells[static_cast<std::size_t>(y * 40 + x)].tile);
    return tiles;
  }
};

TEST(ShiftLayerDialog, PreviewsLiveAndOkKeepsOneUndoStep) {
  LayerFixture f;
  ShiftLayerDialog dialog(f.session);
  ASSERT_TRUE(dialog.begin());
  showAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Shift Layer Data");
  auto* horizontal = child<QSlider>(dialog, "horizontal");
  EXPECT_EQ(horizontal->maximum(), 79);
  EXPECT_EQ(horizontal->value(), 40);
  EXPECT_EQ(horizontal->pageStep(), 5);
  EXPECT_EQ(child<QSlider>(dialog, "vertical")->maximum(), 47);
  EXPECT_EQ(text(child<QLineEdit>(dialog, "horizontalShift")), "0");

  QSignalSpy preview(&dialog, &ShiftLayerDialog::previewChanged);
  horizontal->setValue(42);
  EXPECT_EQ(text(child<QLineEdit>(dialog, "horizontalShift")), "2");
  EXPECT_EQ(f.row(0), (std::vector<int>{0, 0, 0, 1}));  // the layer itself shows the shift
  click(child<QAbstractButton>(dialog, "horizontalLess"));
  EXPECT_EQ(horizontal->value(), 41);
  EXPECT_EQ(f.row(0), (std::vector<int>{0, 0, 1, 2}));
  click(child<QCheckBox>(dialog, "wrapHorizontally"));
  EXPECT_EQ(f.row(0), (std::vector<int>{39, 0, 1, 2}));
  click(child<QAbstractButton>(dialog, "verticalMore"));
  EXPECT_EQ(text(child<QLineEdit>(dialog, "verticalShift")), "1");
  EXPECT_GE(preview.count(), 4);

  click(button(dialog, "OK"));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(f.row(1), (std::vector<int>{39, 0, 1, 2}));
  EXPECT_EQ(f.project().journal().size(), 1u);
  EXPECT_TRUE(f.project().modified);
}

TEST(ShiftLayerDialog, ResetAndCancelGiveTheCellsBack) {
  LayerFixture f;
  const std::vector<MapCell> before = f.level.cells;
  ShiftLayerDialog dialog(f.session);
  ASSERT_TRUE(dialog.begin());
  showAndWait(dialog);
  child<QSlider>(dialog, "vertical")->setValue(0);
  EXPECT_EQ(text(child<QLineEdit>(dialog, "verticalShift")), "-24");
  click(child<QAbstractButton>(dialog, "reset"));
  EXPECT_EQ(child<QSlider>(dialog, "vertical")->value(), 24);
  EXPECT_EQ(text(child<QLineEdit>(dialog, "verticalShift")), "0");
  child<QSlider>(dialog, "horizontal")->setValue(0);
  click(button(dialog, "Cancel"));
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_TRUE(f.level.cells == before);
  EXPECT_EQ(f.project().journal().size(), 0u);
  EXPECT_FALSE(f.project().modified);
}

TEST(ShiftLayerDialog, EntityLayersAreRefused) {
  DialogFixture f;
  f.project().addLayer("Level", 40, 24, 1.0f, 1.0f, LayerKind::Primary, true);
  f.project().addLayer("Entities", 40, 24, 1.0f, 1.0f, LayerKind::Entity, true);
  ShiftLayerDialog dialog(f.session);
  EXPECT_FALSE(dialog.begin());
  EXPECT_EQ(f.services.lastText(), "Shifting of entity layers is not currently supported.");
}

TEST(ResizeLayerDialog, SizesOfAPrimaryLayer) {
  LayerFixture f;
  f.project().addLayer("Far", 0, 0, 0.5f, 0.5f, LayerKind::Secondary, false);
  ResizeLayerDialog dialog(f.session);
  ASSERT_TRUE(dialog.begin());
  showAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Qarto v0.99 - Resize Layer");
  EXPECT_EQ(text(child<QLabel>(dialog, "oldWidth")), "40");
  EXPECT_EQ(text(child<QLineEdit>(dialog, "newHeight")), "24");
  EXPECT_FALSE(child<QLineEdit>(dialog, "newParallax")->isVisible());
  EXPECT_TRUE(child<QCheckBox>(dialog, "resizeSecondary")->isChecked());
  EXPECT_TRUE(child<QRadioButton>(dialog, "keepParallax")->isChecked());
  EXPECT_TRUE(dialog.anchorButton(4)->isChecked());

  type(child<QLineEdit>(dialog, "newWidth"), "29");
  click(button(dialog, "OK"));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(f.services.lastText(),
            "Map sizes must be no smaller than (30,20) and no larger than (1024,1024).\n\nPlease choose a valid size.");
  type(child<QLineEdit>(dialog, "newWidth"), "40");
  click(button(dialog, "OK"));
  EXPECT_EQ(f.services.lastText(), "The target layer size is identical to the old layer size.");
  EXPECT_TRUE(dialog.isVisible());

  click(dialog.anchorButton(0));
  type(child<QLineEdit>(dialog, "newWidth"), "42");
  type(child<QLineEdit>(dialog, "newHeight"), "30");
  click(button(dialog, "OK"));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(f.level.width, 42);
  EXPECT_EQ(f.level.height, 30);
  EXPECT_EQ(f.row(0), (std::vector<int>{0, 1, 2, 3}));  // top-left anchor keeps the corner
  // The secondary layer follows its parallax: 30 + ceil(0.5 x 12) by 20 + ceil(0.5 x 10).
  EXPECT_EQ(f.project().layerAt(0)->width, 36);
  EXPECT_EQ(f.project().layerAt(0)->height, 25);
}

TEST(ResizeLayerDialog, StretchingDisablesTheAnchorsAlongItsAxis) {
  LayerFixture f;
  ResizeLayerDialog dialog(f.session);
  ASSERT_TRUE(dialog.begin());
  showAndWait(dialog);
  click(dialog.anchorButton(0));
  EXPECT_TRUE(dialog.anchorButton(0)->isChecked());
  click(child<QCheckBox>(dialog, "stretchHorizontally"));
  for (int anchor : {0, 2, 3, 5, 6, 8}) EXPECT_FALSE(dialog.anchorButton(anchor)->isEnabled()) << anchor;
  for (int anchor : {1, 4, 7}) EXPECT_TRUE(dialog.anchorButton(anchor)->isEnabled()) << anchor;
  EXPECT_TRUE(dialog.anchorButton(1)->isChecked());  // the corner moved to the middle of its row
  click(child<QCheckBox>(dialog, "stretchVertically"));
  EXPECT_TRUE(dialog.anchorButton(4)->isChecked());
  EXPECT_FALSE(dialog.anchorButton(1)->isEnabled());

  click(child<QCheckBox>(dialog, "resizeSecondary"));
  EXPECT_FALSE(child<QRadioButton>(dialog, "keepParallax")->isEnabled());
  EXPECT_FALSE(child<QRadioButton>(dialog, "keepSize")->isEnabled());
}

TEST(ResizeLayerDialog, ParallaxOfASecondaryLayer) {
  DialogFixture f;
  f.project().addLayer("Level", 128, 64, 1.0f, 1.0f, LayerKind::Primary, true);
  MapLayer* far = f.project().addLayer("Far", 0, 0, 0.25f, 0.25f, LayerKind::Secondary, true);
  ResizeLayerDialog dialog(f.session);
  ASSERT_TRUE(dialog.begin());
  showAndWait(dialog);
  EXPECT_EQ(text(child<QLabel>(dialog, "oldParallax")), "0.25");
  EXPECT_EQ(text(child<QLabel>(dialog, "dimensions")), "55 x 31");
  EXPECT_EQ(text(child<QLineEdit>(dialog, "newParallax")), "0.25");
  EXPECT_FALSE(child<QLineEdit>(dialog, "newWidth")->isVisible());
  EXPECT_FALSE(child<QCheckBox>(dialog, "resizeSecondary")->isEnabled());

  const struct {
    const char* typed;
    std::string message;
  } refusals[] = {
      {"0.25", "The target parallax value is identical to the old layer parallax value."},
      {"1.6", "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 1.5."},
      {"nan", "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 1.5."},
  };
  for (const auto& r : refusals) {
    type(child<QLineEdit>(dialog, "newParallax"), r.typed);
    click(button(dialog, "OK"));
    EXPECT_TRUE(dialog.isVisible()) << r.typed;
    EXPECT_EQ(f.services.lastText(), r.message) << r.typed;
  }
  type(child<QLineEdit>(dialog, "newParallax"), "0.5");
  click(button(dialog, "OK"));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(far->width, 79);
  EXPECT_EQ(far->height, 42);
  EXPECT_FLOAT_EQ(far->parallaxY, 0.5f);
}

}  // namespace
}  // namespace qarto::test
