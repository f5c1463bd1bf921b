#include "model/float_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string_view>

namespace qarto {
namespace {

TEST(FloatText, FormatsAsSixDecimalsWithAPoint) {
  EXPECT_EQ(formatFloatText(2.0f), "2.000000");
  EXPECT_EQ(formatFloatText(0.0f), "0.000000");
  EXPECT_EQ(formatFloatText(-0.5f), "-0.500000");
  EXPECT_EQ(formatFloatText(0.1f), "0.100000");
  EXPECT_EQ(formatFloatText(1.0f / 3.0f), "0.333333");
  EXPECT_EQ(formatFloatText(123456.0f), "123456.000000");
  EXPECT_EQ(formatFloatText(3.4e38f).size(), 46u);  // the largest floats fit
}

TEST(FloatText, ScansLikePercentF) {
  struct Case {
    std::string_view text;
    std::optional<float> value;
    std::string_view rest;
  };
  const Case cases[] = {
      {"2.0", 2.0f, ""},
      {"  \t\n2.5 3", 2.5f, " 3"},
      {"+1.25", 1.25f, ""},
      {"-0.75x", -0.75f, "x"},
      {".5", 0.5f, ""},
      {"1e2", 100.0f, ""},
      {"7,5", 7.0f, ",5"},
      {"", std::nullopt, ""},
      {"   ", std::nullopt, "   "},
      {"abc", std::nullopt, "abc"},
      {"+-1", std::nullopt, "+-1"},
      {"--1", std::nullopt, "--1"},
      {"-", std::nullopt, "-"},
      {"1e99", std::nullopt, "1e99"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string_view rest = c.text;
    const std::optional<float> value = scanFloatText(rest);
    ASSERT_EQ(value.has_value(), c.value.has_value());
    if (value) {
      EXPECT_FLOAT_EQ(*value, *c.value);
    }
    EXPECT_EQ(rest, c.rest);
  }

  std::string_view rest = "inf";
  const std::optional<float> infinite = scanFloatText(rest);
  ASSERT_TRUE(infinite.has_value());
  EXPECT_TRUE(std::isinf(*infinite));
}

}  // namespace
}  // namespace qarto
