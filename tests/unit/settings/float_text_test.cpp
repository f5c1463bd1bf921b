#include "model/float_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string_view>

namespace qarto {
namespace {

TEST(FloatText, FormatsAsSixDecimalsWithAPoint) {
  const std::pair<float, const char*> cases[] = {{2.0f, "2.000000"},         {-0.5f, "-0.500000"},
                                                 {1.0f / 3.0f, "0.333333"}, {123456.0f, "123456.000000"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(formatFloatText(value), text);
  EXPECT_EQ(formatFloatText(3.4e38f).size(), 46u);  // the largest floats fit
}

TEST(FloatText, ScansLikePercentF) {
  struct Case {
    std::string_view text;
    std::optional<float> value;
    std::string_view rest;
  };
  const Case cases[] = {
      {"  \t\n2.5 3", 2.5f, " 3"}, {"+1.25", 1.25f, ""}, {"-0.75x", -0.75f, "x"},   {".5", 0.5f, ""},
      {"1e2", 100.0f, ""},         {"7,5", 7.0f, ",5"},  {"", std::nullopt, ""},    {"   ", std::nullopt, "   "},
      {"+-1", std::nullopt, "+-1"}, {"-", std::nullopt, "-"}, {"1e99", std::nullopt, "1e99"},
  };
  for (const Case& c : cases) {
    std::string_view rest = c.text;
    EXPECT_EQ(scanFloatText(rest), c.value) << c.text;
    EXPECT_EQ(rest, c.rest) << c.text;
  }
  std::string_view rest = "inf";
  const std::optional<float> infinite = scanFloatText(rest);
  EXPECT_TRUE(infinite && std::isinf(*infinite));
}

}  // namespace
}  // namespace qarto
