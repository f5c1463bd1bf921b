#include "io/path_utils.h"

#include <gtest/gtest.h>

namespace qarto {
namespace {

TEST(PathUtils, SplitsFolderBaseNameAndExtension) {
  struct Case {
    const char* path;
    const char* folder;
    const char* baseName;
    const char* extension;
    bool hasExtension;
  };
  const Case cases[] = {
      {"maps/level1.qrm", "maps", "level1", "qrm", true},
      {"C:\\games\\gfx\\page.bmp", "C:/games/gfx", "page", "bmp", true},
      {"mixed\\dir/sub\\tiles.pcx", "mixed/dir/sub", "tiles", "pcx", true},
      {"page.bmp", "", "page", "bmp", true},
      {"archive.tar.gz", "", "archive.tar", "gz", true},
      {"noextension", "", "noextension", "", false},
      {"art.v2/tiles", "art.v2", "tiles", "", false},
      {"art.v2\\tiles", "art.v2", "tiles", "", false},
      {"art.v2/tiles.PCX", "art.v2", "tiles", "PCX", true},
      {"/abs/path/", "/abs/path", "", "", false},
      {"trailing.", "", "trailing", "", true},
      {"", "", "", "", false},
  };
  for (const Case& c : cases) {
    const PathParts parts = splitPath(c.path);
    EXPECT_EQ(parts.folder, c.folder) << c.path;
    EXPECT_EQ(parts.baseName, c.baseName) << c.path;
    EXPECT_EQ(parts.extension, c.extension) << c.path;
    EXPECT_EQ(fileTitle(c.path), c.baseName) << c.path;
    const std::optional<std::string> extension = fileExtension(c.path);
    EXPECT_EQ(extension.has_value(), c.hasExtension) << c.path;
    if (extension) {
      EXPECT_EQ(*extension, c.extension) << c.path;
    }
  }
}

TEST(PathUtils, ReplacesExtensionsAndJoinsFolders) {
  struct Case {
    const char* path;
    const char* replaced;
  };
  const Case cases[] = {
      {"tiles/page.bmp", "tiles/page.cll"},
      {"tiles/page.tar.pcx", "tiles/page.tar.cll"},
      {"art.v2/page", "art.v2/page.cll"},
      {"art.v2\\page", "art.v2\\page.cll"},
      {"page", "page.cll"},
  };
  for (const Case& c : cases) EXPECT_EQ(replaceExtension(c.path, "cll"), c.replaced) << c.path;

  EXPECT_EQ(joinPath("", "a.bmp"), "a.bmp");
  EXPECT_EQ(joinPath("dir", "a.bmp"), "dir/a.bmp");
  EXPECT_EQ(joinPath("dir/", "a.bmp"), "dir/a.bmp");
  EXPECT_EQ(joinPath("C:\\dir\\", "a.bmp"), "C:\\dir\\a.bmp");
}

}  // namespace
}  // namespace qarto
