// Entity catalogue files: what a good one gives the Entities bar, and every
// fault reported with its file and line.

#include "edit/entities/entity_catalogue_file.h"
#include "engine_fixture.h"

namespace qarto::test {
namespace {

// "ok.bmp" is 32 x 32 (colour 0 in its left half, 1 in the right), "big.bmp"
// 32 x 40; anything else cannot be read.
bool fakeSprite(const std::string& path, IndexedImage& image, std::string& message) {
  const bool big = path.ends_with("big.bmp");
  if (!big && !path.ends_with("ok.bmp")) {
    message = "Not found.";
    return false;
  }
  image = makePage(32, big ? 40 : 32, [](int x, int) { return static_cast<std::uint8_t>(x < 16 ? 0 : 1); });
  return true;
}

TEST(EntityCatalogueFile, EveryFaultNamesTheFileAndTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"Name = Goblin\n", "line 1: \"Name = Goblin\" comes before the first [type] section."},
      {"; fine\n[70000]\nName=X\n", "line 2: a section names a type number from 0 to 65535, as in [12]."},
      {"[x]\n", "line 1: a section names a type number from 0 to 65535, as in [12]."},
      {"[7]\nName=A\n\n[7]\nName=B\n", "line 4: type 7 is already described on line 1."},
      {"[7]\nColour=red\n",
       "line 2: \"colour\" is not a key of a catalogue; the keys are Name, Description and Sprite."},
      {"[7]\nGoblin\n", "line 2: \"Goblin\" is neither a [type] section, a Key = Value line nor a comment."},
      {"[7]\nName=A\nName=B\n", "line 3: the Name is given twice."},
      {"[7]\nDescription=no name\n[8]\nName=B\n", "line 1: type 7 has no Name."},
      {"[7]\nName=0123456789012345678901234567890123456789012345678901234567890123\n",
       "line 2: the Name is longer than 63 characters."},
      {"[7]\nName=A\x01\n", "line 2: it holds a control character."},
      {"[7]\nName=A\nSprite=gone.bmp\n", "line 3: the sprite \"/games/cat/gone.bmp\" could not be read: Not found."},
      {"[7]\nName=A\nSprite=/art/big.bmp\n",
       "line 3: the sprite \"/art/big.bmp\" is 32 x 40 pixels; a sprite is 32 x 32."},
  };
  for (const auto& [text, problem] : cases) {
    const CatalogueReadResult read = parseEntityCatalogue(text, "/games/cat/enemies.ini", fakeSprite);
    EXPECT_EQ(
        std::tuple(read.ok, read.message, read.rows.size()),
        std::tuple(false, std::string("The entity catalogue \"/games/cat/enemies.ini\" has a fault on ") + problem, 0u))
        << text;
  }
}

TEST(EntityCatalogueFile, RowsFollowTheBuiltInOnesOrTakeTheirPlace) {
  const CatalogueReadResult read = parseEntityCatalogue(
      "\xEF\xBB\xBF# My game\r\n[12]\r\n  name  =  Goblin  \r\nDescription = Walks about.\\nTurns at walls.\r\n"
      "DESCRIPTION = A \\\\ B\r\nSprite = sprites/ok.bmp\r\n[1]\nName = Big Hopper\n",
      "/games/cat/enemies.ini", fakeSprite);
  ASSERT_TRUE(read.ok) << read.message;
  EntityCatalogue catalogue;
  const std::uint32_t builtIn = catalogue.generation();
  catalogue.setFileRows("/games/cat/enemies.ini", read.rows);
  std::vector<std::string> names;
  for (const EntityType& row : catalogue.rows()) names.push_back(row.name + "=" + std::to_string(row.type));
  EXPECT_EQ(names, (std::vector<std::string>{"Crawler=0", "Big Hopper=1", "Flyer=2", "Turret=3", "Spikes=4",
                                             "Player Start=5", "Goblin=12"}));
  const EntityType& goblin = *catalogue.ofType(12);
  EXPECT_EQ(std::tuple(goblin.description, catalogue.ofType(1)->description, catalogue.generation() != builtIn),
            std::tuple("Walks about.\r\nTurns at walls.\r\nA \\ B", "", true));
  // Colour 0 is transparent, colour 1 drawn from the palette (1, 254, 0).
  ASSERT_EQ(goblin.sprite.size(), 32u * 32u * 4u);
  EXPECT_EQ(std::vector<int>(goblin.sprite.begin() + 60, goblin.sprite.begin() + 68),
            (std::vector<int>{0, 255, 0, 0, 1, 254, 0, 255}));
}

}  // namespace
}  // namespace qarto::test
