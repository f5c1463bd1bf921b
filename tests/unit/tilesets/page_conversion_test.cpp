// Loading a picture that is not a page of 16-colour rows offers to convert
// it; the converted page keeps every tile in place and is saved beside it.
#include "edit/session/page_conversion.h"

#include <gtest/gtest.h>

#include "session_fixture.h"
#include "support/hidden_banks.h"

namespace qarto {
namespace {

TEST(PageConversion, PicturesThatAreNoPageAreConvertedOnYesInTileOrder) {
  const test::HiddenPicture hidden = test::makeHiddenPicture({31, 16, 256, 3, 9, true, 10, 0});
  struct Case {
    const char* file;
    MessageAnswer answer;
    const char* loadedAs;  // "" when nothing is loaded
  } const cases[] = {{"art.bmp", MessageAnswer::Yes, "art_2.bmp"},
                     {"art.bmp", MessageAnswer::No, ""},
                     {"mix.bmp", MessageAnswer::No, "mix.bmp"},
                     {"mix.bmp", MessageAnswer::Yes, "mix_2.bmp"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " " << c.loadedAs);
    test::SessionFixture f;
    const std::string path = f.folder.file(c.file);
    if (std::string(c.file) == "art.bmp") {
      test::writeBytes(path, test::bmp32(hidden.picture));
    } else {
      // Tile 0 draws from rows 0 and 1.
      test::writePage(f.folder, c.file, test::makePage(16, 8, [](int x, int y) { return std::uint8_t(x < 4 ? 1 : 17 + y); }));
    }
    f.services.answers.push_back(c.answer);
    const Tileset* page = f.load(path);
    ASSERT_EQ(f.services.messages.size(), 1u);
    EXPECT_EQ(f.services.messages[0].caption, "Qarto v0.99 - Convert Tile Page");
    EXPECT_EQ(f.services.messages[0].buttons, MessageButtons::YesNo);
    ASSERT_EQ(page != nullptr, *c.loadedAs != 0);
    if (page == nullptr) continue;
    EXPECT_EQ(page->sourcePath, f.folder.file(c.loadedAs));
    if (c.answer == MessageAnswer::No) continue;
    if (std::string(c.file) == "art.bmp") {
      EXPECT_EQ(test::shownPixels(*page), test::pixelsOf(hidden));
    }
    // Every tile draws from one palette row.
    for (std::size_t i = 0; i < page->pixels.size(); ++i) {
      const std::size_t x = i % page->imageWidth, y = i / page->imageWidth;
      ASSERT_EQ(page->pixels[i] / 16, page->pixels[(y / 8 * 8) * page->imageWidth + x / 8 * 8] / 16) << i;
    }
  }
}

}  // namespace
}  // namespace qarto
