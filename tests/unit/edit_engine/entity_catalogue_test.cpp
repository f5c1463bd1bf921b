// Entity catalogue files: what a good one gives the Entities bar, every
// fault reported with its file and line, and the file the preferences name
// read or refused as a script sets it.

#include "edit/entities/entity_catalogue_file.h"
#include "edit/entities/entity_record.h"
#include "engine_fixture.h"
#include "support/temp_folder.h"

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
      {"[7]\nName=A\n\n[7]\nName=B\n", "line 4: type 7 is already described on line 1."},
      {"[7]\nColour=red\n",
       "line 2: \"colour\" is not a key of a catalogue; the keys are Name, Description and Sprite."},
      {"[7]\nGoblin\n", "line 2: \"Goblin\" is neither a [type] section, a Key = Value line nor a comment."},
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

TEST(EntityCatalogueFile, AFileThatCannotBeReadIsReportedOnceAndTheBuiltInRowsStayUsable) {
  EngineFixture f;
  TempFolder folder;
  f.layer("Level", 64, 40, LayerKind::Primary);
  MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
  writeBytes(folder.file("good.ini"), {'[', '9', ']', '\n', 'N', 'a', 'm', 'e', '=', 'B', 'a', 't', '\n'});
  writeBytes(folder.file("bad.ini"), {'[', '9', ']', '\n', 'N', 'a', 'm', 'e', '=', 'B', '\n', 'X', '=', '1'});
  const std::string set = "set Settings EntityCatalogue " + folder.path() + "/";
  f.play(set + "good.ini\nentity type 6\n" + set + "bad.ini\n" + set + "bad.ini\n");  // no second message
  EXPECT_EQ(f.services.messages,
            std::vector<Message>{shown("The entity catalogue \"" + folder.file("bad.ini") +
                                           "\" has a fault on line 3: \"x\" is not a key of a catalogue; the keys are "
                                           "Name, Description and Sprite.\n\nThe built-in entities stay in the list.",
                                       MessageIcon::Warning, " - Entity Catalogue")});
  f.play("key F6\nmove 100 100\nentity spawn\n");
  EXPECT_EQ(std::tuple(f.state().entityCatalogue.rowCount(), readEntity(entities, 0)->type), std::tuple(6, 5))
      << "the row falls back to the last built-in one";
  f.play(set + "missing.ini\n");
  EXPECT_EQ(f.services.lastText(), "The entity catalogue \"" + folder.file("missing.ini") +
                                       "\" could not be opened.\n\nThe built-in entities stay in the list.");
  std::filesystem::copy_file(folder.file("good.ini"), folder.file("missing.ini"));
  f.engine->reloadPreferences();  // Preferences confirmed read the file again
  EXPECT_EQ(f.state().entityCatalogue.rowCount(), 7);
}

}  // namespace
}  // namespace qarto::test
