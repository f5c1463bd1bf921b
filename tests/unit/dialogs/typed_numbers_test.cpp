// Numbers typed into the dialogs: what reads as a number, and every field
// refusing text that is none with the message it gives for a bad value.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>

#include "edit/dialogs/new_map_wizard.h"
#include "edit/dialogs/preferences_model.h"
#include "edit/dialogs/resize_layer_model.h"
#include "export/export_to_header.h"
#include "model/project/layer_amounts.h"
#include "model/settings/number_text.h"
#include "support/dialog_fixture.h"

namespace qarto::test {
namespace {

TEST(TypedNumbers, OnlyPlainDecimalTextIsANumber) {
  EXPECT_EQ(std::tuple(parseIntegerText(" +12 "), parseIntegerText("-5"), parseIntegerText("0.5")),
            std::tuple(12, -5, std::nullopt));
  EXPECT_EQ(std::tuple(parseDecimalText("\t.25\n"), parseDecimalText("-2."), parseDecimalText("99999999999")),
            std::tuple(0.25, -2.0, 99999999999.0));
  for (const char* text :
       {"", " ", "zz", "4O", "256px", "0x10", "1e3", "1,5", "1.2.3", "+-1", "1 2", "-", ".", "nan"}) {
    EXPECT_EQ(parseDecimalText(text), std::nullopt) << '"' << text << '"';
  }
  EXPECT_EQ(parseDecimalText("1" + std::string(400, '0')), std::nullopt);  // beyond a double
}

// A field: what typing `text` into it and pressing OK shows ("" for nothing).
struct Field {
  const char* name;
  const char* valid;
  std::string refusal;
  std::function<void(DialogFixture&, const std::string&)> ok;
};

std::string shownAfter(const Field& field, const std::string& text) {
  DialogFixture f;
  field.ok(f, text);
  return f.services.messages.empty() ? "" : f.services.lastText();
}

void addLayer(DialogFixture& f, const std::string& x, SizeUnit unitX) {
  f.project().addLayer("ground", 128, 64, 1.0f, 1.0f, LayerKind::Primary, true);
  AddLayerRequest request;
  request.name = "typed";
  request.amountX = amountOrNaN(x);
  request.unitX = unitX;
  f.project().requestAddLayer(request);
}

// Typed into the wizard's width in screens (1) or layer 2's parallax (2).
void newMap(DialogFixture& f, const std::string& text, int field) {
  NewMapWizardForm form = loadNewMapWizard(f.settings);
  form.setLayer2Enabled(true);
  form.widthUnit = 1;
  form.widthText = field == 1 ? text : "2";
  form.layer2().amountY = field == 2 ? text : "0.5";
  acceptNewMapWizard(f.session, form, f.hooks());
}

void resize(DialogFixture& f, bool secondary, const std::function<void(ResizeLayerModel&)>& type) {
  f.project().addLayer("ground", 64, 40, 1.0f, 1.0f, LayerKind::Primary, true);
  MapLayer* far = f.project().addLayer("far", 30, 20, 0.5f, 0.5f, LayerKind::Secondary, false);
  if (secondary) f.project().activeLayer = far;
  ResizeLayerModel model(f.session);
  ASSERT_TRUE(model.begin());
  type(model);
  model.confirm();
}

TEST(TypedNumbers, EveryFieldRefusesTextThatIsNoNumberWithItsOwnMessage) {
  const std::string addParallax = "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 2.0.";
  const std::string wizardSize =
      "Map sizes must be no smaller than (30,20) tiles and no larger than (1024,1024) tiles.\n\nPlease choose a valid "
      "size.";
  const Field fields[] = {
      {"Add Layer parallax", "0.5", addParallax, [](auto& f, auto& t) { addLayer(f, t, SizeUnit::Parallax); }},
      {"Add Layer pixels", "320", wizardSize, [](auto& f, auto& t) { addLayer(f, t, SizeUnit::Pixels); }},
      {"wizard width", "1.5", wizardSize, [](auto& f, auto& t) { newMap(f, t, 1); }},
      {"wizard layer 2 parallax", "0.5",
       "Layer 2 has an invalid parallax amount.  Parallax must be between 0.0 and 2.0.",
       [](auto& f, auto& t) { newMap(f, t, 2); }},
      {"Resize Layer parallax", "0.75",
       "You have entered an invalid parallax amount.  Parallax must be between 0.0 and 1.5.",
       [](auto& f, auto& t) { resize(f, true, [&](ResizeLayerModel& m) { m.setNewParallaxText(t); }); }},
      {"Resize Layer height", "30",
       "Map sizes must be no smaller than (30,20) and no larger than (1024,1024).\n\nPlease choose a valid size.",
       [](auto& f, auto& t) { resize(f, false, [&](ResizeLayerModel& m) { m.setNewSizeText("64", t); }); }},
      {"Preferences screen width", "256",
       "The screen width and height must each lie between 8 and 8192 pixels.\n\nPlease choose a valid size.",
       [](auto& f, auto& t) {
         PreferencesValues values = loadPreferences(f.settings);
         values.screenWidthText = t;
         acceptPreferences(f.services, f.settings, f.project(), values);
       }},
      {"Export to Header tile offset", "100",
       "You have entered an invalid tile index offset.  The offset must be a whole number of 0 or more.",
       [](auto& f, auto& t) {
         ExportToHeaderValues values = loadExportToHeader(f.settings);
         values.tileOffsetText = t;
         acceptExportToHeader(f.services, f.settings, values);
       }},
  };
  for (const Field& field : fields) {
    for (const char* text : {"zz", "4O", "", "0x10", "1e3", "12abc", "1,5"}) {
      EXPECT_EQ(shownAfter(field, text), field.refusal) << field.name << " \"" << text << '"';
    }
    // Blanks around a number are no reason to refuse it.
    EXPECT_NE(shownAfter(field, std::string(" ") + field.valid + " "), field.refusal) << field.name;
  }
}

}  // namespace
}  // namespace qarto::test
