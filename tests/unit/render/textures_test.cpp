#include <gtest/gtest.h>

#include "io/images/display_image.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registration.h"
#include "model/tileset/tileset_registry.h"
#include "render/gl/gl_api.h"
#include "render_fixture.h"

namespace qarto::test {
namespace {

class TexturesTest : public RenderFixture {
 protected:
  bool alive(std::uint32_t name) const { return name != 0 && glIsTexture(name) == GL_TRUE; }
  const std::set<std::uint32_t>& live() { return renderer_.uploader().liveTextures(); }
};

TEST_F(TexturesTest, PagesArePaddedToPowersOfTwoAndRefusedPastTheLimit) {
  const Tileset* odd = addPage("odd", 24, 40, 2);
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(std::pair(odd->texStepS, odd->texStepT), std::pair(0.25f, 0.125f));
  glBindTexture(GL_TEXTURE_2D, odd->textureName);
  GLint width = 0;
  GLint height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  EXPECT_EQ(std::pair(width, height), std::pair(32, 64));

  // A refused upload drops the page: nothing registered, no id used.
  const std::size_t before = live().size();
  const auto lastId = project().lastTilesetId;
  EXPECT_EQ(addPage("wide", 4104, 8, 1), nullptr);
  EXPECT_EQ(live().size(), before);
  EXPECT_EQ(services_.messages.back(),
            shown("Texture upload failed.  This can happen if your texture dimensions are not powers of 2 or if your "
                  "video card does not have enough memory to accomodate the texture you are trying to load.\n\nMake "
                  "sure your textures are valid sizes and/or close down other applications which might be using "
                  "video memory.",
                  MessageIcon::Warning, " - Tile Load Error"));
  EXPECT_EQ(engine().session().registry().size(), 1u);
  EXPECT_EQ(project().lastTilesetId, lastId);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TexturesTest, TexturesGoWithTheirTilesets) {
  Tileset* first = addPage("first", 64, 64, 1);
  Tileset* second = addPage("second", 64, 64, 2);
  ASSERT_TRUE(first != nullptr && second != nullptr);
  const std::uint32_t firstName = first->textureName;
  const std::uint32_t secondName = second->textureName;
  EXPECT_TRUE(alive(firstName));
  engine().session().registry().remove(first->id);
  EXPECT_FALSE(alive(firstName) || live().count(firstName) != 0);

  // Replaced under the same id.
  std::unique_ptr<Tileset> again = patternPage("again", 64, 64, 6);
  again->id = second->id;
  DisplayImage display = makeDisplayImage(*again);
  ASSERT_NE(registerTileset(project(), engine().session().host(), std::move(again), std::move(display)), nullptr);
  EXPECT_FALSE(alive(secondName));

  // A reset takes every page with it.
  project().resetProject(true);
  EXPECT_TRUE(live().empty());
}

}  // namespace
}  // namespace qarto::test
