// Add Layer's window: every control reaches the layer OK adds, a refusal
// keeps the window open. The amounts, units and refusals themselves are the
// core's tests.
#include <QRadioButton>

#include "app/dialogs/layers/add_layer_dialog.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

struct AddLayerFixture : DialogFixture {
  AddLayerDialog dialog{project()};
  AddLayerFixture() {
    project().addLayer("ground", 128, 64, 1.0f, 1.0f, LayerKind::Primary, true);
    showAndWait(dialog);
  }
  QLineEdit* edit(const char* name) { return child<QLineEdit>(dialog, name); }
  QComboBox* list(const char* name) { return child<QComboBox>(dialog, name); }
};

TEST(AddLayerDialog, EveryControlReachesTheLayer) {
  const struct {
    const char* kind;
    const char *x, *y;
    int unitX, unitY;  // 0 parallax, 1 tiles, 2 screens, 3 pixels
    LayerKind made;
    int width, height;
    float parallaxX, parallaxY;
  } cases[] = {
      // 30 + ceil(0.5 x 98) by 20 + ceil(0.75 x 44)
      {"secondary", "0.5", "0.75", 0, 0, LayerKind::Secondary, 79, 53, 0.5f, 0.75f},
      {"secondary", "256", "21", 3, 1, LayerKind::Secondary, 32, 21, 1.0f, 1.0f},
      {"collision", "", "", 0, 0, LayerKind::Collision, 128, 64, 1.0f, 1.0f},
  };
  for (const auto& c : cases) {
    AddLayerFixture f;
    click(child<QRadioButton>(f.dialog, c.kind));
    type(f.edit("name"), "far hills");
    if (f.edit("amountX")->isEnabled()) {
      type(f.edit("amountX"), c.x);
      f.list("unitX")->setCurrentIndex(c.unitX);
      type(f.edit("amountY"), c.y);
      f.list("unitY")->setCurrentIndex(c.unitY);
    }
    EXPECT_EQ(f.edit("amountX")->isEnabled(), c.made != LayerKind::Collision);
    click(button(f.dialog, "OK"));
    ASSERT_EQ(f.dialog.result(), QDialog::Accepted) << c.x;
    const MapLayer& layer = *f.project().layerAt(0);
    EXPECT_EQ(std::tuple(layer.nameText(), layer.kind, layer.width, layer.height),
              std::tuple(std::string("far_hills"), c.made, c.width, c.height))
        << c.x;
    EXPECT_EQ(std::pair(layer.parallaxX, layer.parallaxY), std::pair(c.parallaxX, c.parallaxY)) << c.x;
  }
}

// The refusal's text is the core's test; Cancel is the entry points'.
TEST(AddLayerDialog, ARefusalKeepsItOpen) {
  AddLayerFixture f;
  type(f.edit("name"), "9lives");
  click(button(f.dialog, "OK"));
  EXPECT_EQ(std::tuple(f.dialog.isVisible(), f.services.messages.size(), f.project().layerCount()),
            std::tuple(true, std::size_t{1}, 1));
}

}  // namespace
}  // namespace qarto::test
