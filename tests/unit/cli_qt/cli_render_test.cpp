// qarto-cli render: the off-screen picture of a map, as a build pipeline or
// a reviewer would ask for it. What the picture holds is proven by the
// renderer's own tests; here the command line itself.
#include "cli_run.h"

namespace qarto::test {
namespace {

using CliRender = CliFixture;

// Width and height from the PNG header.
std::pair<int, int> pngSize(const std::vector<std::uint8_t>& b) {
  if (b.size() < 24 || b[1] != 'P' || b[2] != 'N' || b[3] != 'G') return {0, 0};
  const auto big = [&](std::size_t at) { return b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]; };
  return {big(16), big(20)};
}

TEST_F(CliRender, EveryOptionChangesThePicture) {
  const auto render = [&](const std::string& options) {
    EXPECT_EQ(run("render " + example("demo.qrm") + " -o out.png " + options).code, 0) << options;
    return readBytes(work.file("out.png"));
  };
  EXPECT_EQ(pngSize(render("")), (std::pair{1280, 720}));
  const auto plain = render("--size 400x240");
  EXPECT_EQ(pngSize(plain), (std::pair{400, 240}));
  EXPECT_EQ(plain, render("--size 400x240")) << "the same frame twice";
  const auto tiles = render("--size 400x240 --view tile --tileset 2");
  for (const std::string options : {"--grid", "--frame-mask", "--bounds", "--scroll 40,8", "--zoom 3"}) {
    EXPECT_NE(plain, render("--size 400x240 " + options)) << options;
  }
  EXPECT_NE(plain, tiles);
  EXPECT_NE(tiles, render("--size 400x240 --view tile --tileset 2 --zoom 3"));
}

TEST_F(CliRender, RefusalsAndUsageErrors) {
  const std::pair<std::string, int> cases[] = {
      {"", 2},  // -o is required
      {" -o x.png --size 0x10", 2},   {" -o x.png --zoom 11", 2},      {" -o x.png --view side", 2},
      {" -o x.png --scroll 4", 2},    {" -o x.png --layer Nowhere", 1}, {" -o x.png --tileset 9", 1},
      {" -o no/such/folder/x.png", 1}};
  for (const auto& [options, code] : cases) EXPECT_EQ(run("render " + example("demo.qrm") + options).code, code) << options;
  EXPECT_EQ(run("render missing.qrm -o x.png").code, 1);
  EXPECT_EQ(run("render --help").code, 0);
}

}  // namespace
}  // namespace qarto::test
