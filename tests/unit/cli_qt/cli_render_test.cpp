// qarto-cli render: the off-screen picture of a map, as a build pipeline or
// a reviewer would ask for it. What the picture holds is proven by the
// renderer's own tests; here the command line itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace qarto {
namespace {

class CliRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + "/config").c_str(), 1);
    setenv("GALLIUM_DRIVER", "llvmpipe", 1);
  }

  int run(const std::string& arguments) {
    const std::string command = std::string("'") + QARTO_CLI + "' " + arguments + " >'" + work.file("out.txt") +
                                "' 2>'" + work.file("err.txt") + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::vector<unsigned char> bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Width and height from the PNG header.
  std::pair<int, int> pngSize(const std::string& path) {
    const std::vector<unsigned char> b = bytes(path);
    if (b.size() < 24 || b[1] != 'P' || b[2] != 'N' || b[3] != 'G') return {0, 0};
    const auto big = [&](std::size_t at) { return b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]; };
    return {big(16), big(20)};
  }

  std::string demo() const { return std::string("'") + QARTO_EXAMPLES_DIR + "/demo.qrm'"; }

  test::TempFolder home;
  test::TempFolder work;
};

TEST_F(CliRenderTest, WritesAPngOfTheAskedSize) {
  const std::string out = work.file("map.png");
  ASSERT_EQ(run("render " + demo() + " -o '" + out + "'"), 0);
  EXPECT_EQ(pngSize(out), (std::pair{1280, 720}));
  const std::string small = work.file("small.png");
  ASSERT_EQ(run("render " + demo() + " -o '" + small + "' --size 320x200 --zoom 2 --scroll -29,-11"), 0);
  EXPECT_EQ(pngSize(small), (std::pair{320, 200}));
}

TEST_F(CliRenderTest, OptionsChangeThePicture) {
  const auto render = [&](const std::string& name, const std::string& options) {
    const std::string out = work.file(name);
    EXPECT_EQ(run("render " + demo() + " -o '" + out + "' --size 400x240 " + options), 0) << options;
    return bytes(out);
  };
  const auto plain = render("plain.png", "");
  EXPECT_EQ(plain, render("again.png", "")) << "the same frame twice";
  EXPECT_NE(plain, render("grid.png", "--grid"));
  EXPECT_NE(plain, render("mask.png", "--frame-mask"));
  EXPECT_NE(plain, render("bounds.png", "--bounds"));
  EXPECT_NE(plain, render("scrolled.png", "--scroll 40,8"));
  EXPECT_NE(plain, render("tiles.png", "--view tile --tileset 2"));
  EXPECT_NE(render("tiles.png", "--view tile --tileset 2"), render("tiles3.png", "--view tile --tileset 2 --zoom 3"));
}

TEST_F(CliRenderTest, RefusalsAndUsageErrors) {
  const std::string out = work.file("x.png");
  EXPECT_EQ(run("render " + demo()), 2) << "-o is required";
  EXPECT_EQ(run("render " + demo() + " -o '" + out + "' --size 0x10"), 2);
  EXPECT_EQ(run("render " + demo() + " -o '" + out + "' --zoom 11"), 2);
  EXPECT_EQ(run("render " + demo() + " -o '" + out + "' --view side"), 2);
  EXPECT_EQ(run("render " + demo() + " -o '" + out + "' --scroll 4"), 2);
  EXPECT_EQ(run("render " + demo() + " -o '" + out + "' --layer Nowhere"), 1);
  EXPECT_EQ(run("render " + demo() + " -o '" + out + "' --tileset 9"), 1);
  EXPECT_EQ(run("render '" + work.file("missing.qrm") + "' -o '" + out + "'"), 1);
  EXPECT_EQ(run("render " + demo() + " -o '" + work.file("no/such/folder/x.png") + "'"), 1);
  EXPECT_EQ(run("render --help"), 0);
}

}  // namespace
}  // namespace qarto
