#include "io/files/path_utils.h"

#include <gtest/gtest.h>

namespace qarto {
namespace {

TEST(PathUtils, SplitsFolderBaseNameAndExtensionAndReplacesTheExtension) {
  const struct {
    const char* path;
    const char* folder;
    const char* baseName;
    std::optional<std::string> extension;
    const char* withCll;
  } cases[] = {
      {"C:\\games\\gfx\\page.bmp", "C:/games/gfx", "page", "bmp", "C:\\games\\gfx\\page.cll"},
      {"mixed\\dir/sub\\tiles.pcx", "mixed/dir/sub", "tiles", "pcx", "mixed\\dir/sub\\tiles.cll"},
      {"archive.tar.gz", "", "archive.tar", "gz", "archive.tar.cll"},
      {"art.v2/tiles", "art.v2", "tiles", std::nullopt, "art.v2/tiles.cll"},
      {"art.v2\\tiles.PCX", "art.v2", "tiles", "PCX", "art.v2\\tiles.cll"},
      {"/abs/path/", "/abs/path", "", std::nullopt, "/abs/path/.cll"},
      {"trailing.", "", "trailing", "", "trailing.cll"},
      {"", "", "", std::nullopt, ".cll"},
  };
  for (const auto& c : cases) {
    const PathParts parts = splitPath(c.path);
    EXPECT_EQ(parts.folder, c.folder) << c.path;
    EXPECT_EQ(parts.baseName, c.baseName) << c.path;
    EXPECT_EQ(fileTitle(c.path), c.baseName) << c.path;
    EXPECT_EQ(fileExtension(c.path), c.extension) << c.path;
    EXPECT_EQ(replaceExtension(c.path, "cll"), c.withCll) << c.path;
  }
}

}  // namespace
}  // namespace qarto
