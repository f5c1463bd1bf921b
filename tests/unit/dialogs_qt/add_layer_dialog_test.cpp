// Add Layer's window: defaults, the kind buttons, typed amounts in every
// unit, refusals that keep it open, and Cancel.
#include <QRadioButton>

#include "app/dialogs/layers/add_layer_dialog.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

struct AddLayerFixture : DialogFixture {
  AddLayerDialog dialog{project()};
  AddLayerFixture() {
    project().addLayer("ground", 128, 64, 1.0f, 1.0f, LayerKind::Primary, true);
    project().journal().clear();
    showAndWait(dialog);
  }
  QLineEdit* edit(const char* name) { return child<QLineEdit>(dialog, name); }
  QComboBox* list(const char* name) { return child<QComboBox>(dialog, name); }
  QRadioButton* kind(const char* name) { return child<QRadioButton>(dialog, name); }
};

TEST(AddLayerDialog, Defaults) {
  AddLayerFixture f;
  EXPECT_EQ(f.dialog.windowTitle(), "Qarto v0.99 - Add Layer");
  EXPECT_TRUE(f.kind("secondary")->isChecked());
  EXPECT_EQ(f.kind("secondary")->text(), "&Secondary BG");
  EXPECT_EQ(f.kind("collision")->text(), "&Collision");
  EXPECT_TRUE(f.kind("entity")->isEnabled());
  EXPECT_EQ(text(f.edit("name")), "BG_Layer");
  EXPECT_EQ(text(f.edit("amountX")), "1.00");
  EXPECT_EQ(text(f.edit("amountY")), "1.00");
  EXPECT_EQ(f.list("unitX")->currentText(), "Parallax");
  EXPECT_EQ(f.list("unitY")->currentText(), "Parallax");
  QStringList units;
  for (int i = 0; i < f.list("unitX")->count(); ++i) units << f.list("unitX")->itemText(i);
  EXPECT_EQ(units, (QStringList{"Parallax", "Tiles", "Screens", "Pixels"}));
}

TEST(AddLayerDialog, CollisionDisablesTheSizes) {
  AddLayerFixture f;
  click(f.kind("collision"));
  EXPECT_FALSE(f.edit("amountX")->isEnabled());
  EXPECT_FALSE(f.list("unitY")->isEnabled());
  EXPECT_FALSE(child<QLabel>(f.dialog, "widthIcon")->isVisible());
  click(f.kind("secondary"));
  EXPECT_TRUE(f.edit("amountX")->isEnabled());
  EXPECT_TRUE(child<QLabel>(f.dialog, "heightIcon")->isVisible());
}

TEST(AddLayerDialog, TypedAmountsInEachUnit) {
  const struct {
    const char* x;
    int unitX;
    const char* y;
    int unitY;
    int width;
    int height;
    float parallax;
  } cases[] = {
      {"1.00", 0, "1.00", 0, 128, 64, 1.0f},
      {"0.5", 0, "0.5", 0, 79, 42, 0.5f},
      {"256", 3, "2.0", 2, 32, 40, 1.0f},  // pixels, screens
      {"2.0", 2, "20", 1, 60, 20, 1.0f},   // screens, tiles
  };
  for (const auto& c : cases) {
    AddLayerFixture f;
    type(f.edit("name"), "far hills");
    type(f.edit("amountX"), c.x);
    f.list("unitX")->setCurrentIndex(c.unitX);
    type(f.edit("amountY"), c.y);
    f.list("unitY")->setCurrentIndex(c.unitY);
    click(button(f.dialog, "OK"));
    ASSERT_EQ(f.dialog.result(), QDialog::Accepted) << c.x << " " << c.y;
    const MapLayer& layer = *f.project().layerAt(0);
    EXPECT_EQ(layer.nameText(), "far_hills");
    EXPECT_EQ(layer.kind, LayerKind::Secondary);
    EXPECT_EQ(layer.width, c.width) << c.x;
    EXPECT_EQ(layer.height, c.height) << c.y;
    EXPECT_FLOAT_EQ(layer.parallaxX, c.parallax);
  }
}

TEST(AddLayerDialog, CollisionLayerTakesThePrimarySize) {
  AddLayerFixture f;
  click(f.kind("collision"));
  type(f.edit("name"), "hits");
  click(button(f.dialog, "OK"));
  ASSERT_EQ(f.dialog.result(), QDialog::Accepted);
  EXPECT_EQ(f.project().layerAt(0)->kind, LayerKind::Collision);
  EXPECT_EQ(f.project().layerAt(0)->width, 128);
}

TEST(AddLayerDialog, RefusalsKeepItOpen) {
  const std::string parallax = "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";
  const std::string size =
      "Map sizes must be no smaller than (30,20) tiles and no larger than (1024,1024) tiles.\n\nPlease choose a "
      "valid size.";
  const std::string name =
      "The layer name you have entered is not a valid C variable name.  Valid names consist of alphanumeric text "
      "and underscores.\n\nPlease enter a valid name to continue.";
  const struct {
    const char* x;
    int unitX;
    const char* layerName;
    const std::string& message;
  } cases[] = {
      {"2.01", 0, "ok", parallax}, {"nan", 0, "ok", parallax},   {"inf", 1, "ok", size},
      {"29", 1, "ok", size},       {"1e999", 3, "ok", size},     {"1.0", 0, "9lives", name},
      {"1.0", 0, "a-b", name},
  };
  for (const auto& c : cases) {
    AddLayerFixture f;
    type(f.edit("amountX"), c.x);
    f.list("unitX")->setCurrentIndex(c.unitX);
    type(f.edit("name"), c.layerName);
    click(button(f.dialog, "OK"));
    EXPECT_TRUE(f.dialog.isVisible()) << c.x;
    EXPECT_EQ(f.services.lastText(), c.message) << c.x << " " << c.layerName;
    EXPECT_EQ(f.services.lastMessage().caption, "Qarto v0.99");
    EXPECT_EQ(f.project().layerCount(), 1);
  }
}

TEST(AddLayerDialog, CancelAddsNothing) {
  AddLayerFixture f;
  const auto before = f.settings.values();
  click(button(f.dialog, "Cancel"));
  EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
  EXPECT_EQ(f.project().layerCount(), 1);
  EXPECT_EQ(f.settings.values(), before);
  EXPECT_TRUE(f.services.messages.empty());
}

}  // namespace
}  // namespace qarto::test
