// Entity catalogue files: what a good one gives the Entities bar, every
// fault reported with its file and line, and the built-in rows kept usable
// when a file cannot be read.

#include "edit/engine/side_bars.h"
#include "edit/entities/entity_catalogue_file.h"
#include "edit/entities/entity_record.h"
#include "edit/script/edit_script.h"
#include "engine_fixture.h"
#include "support/temp_folder.h"

namespace qarto::test {
namespace {

std::vector<std::uint8_t> textBytes(const std::string& text) { return {text.begin(), text.end()}; }

// Sprites by name: "ok.bmp" is 32 x 32 (colour 0 in its left half, 1 in the
// right), "big.bmp" 32 x 40; anything else cannot be read.
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
  const struct {
    const char* text;
    const char* problem;
  } cases[] = {
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
  for (const auto& c : cases) {
    const CatalogueReadResult read = parseEntityCatalogue(c.text, "/games/cat/enemies.ini", fakeSprite);
    EXPECT_EQ(
        std::tuple(read.ok, read.message, read.rows.size()),
        std::tuple(false, std::string("The entity catalogue \"/games/cat/enemies.ini\" has a fault on ") + c.problem,
                   0u))
        << c.text;
  }
}

TEST(EntityCatalogueFile, RowsFollowTheBuiltInOnesOrTakeTheirPlace) {
  const CatalogueReadResult read = parseEntityCatalogue(
      "\xEF\xBB\xBF# My game\r\n"
      "[12]\r\n"
      "  name  =  Goblin  \r\n"
      "Description = Walks about.\\nTurns at walls.\r\n"
      "DESCRIPTION = A \\\\ B\r\n"
      "Sprite = sprites/ok.bmp\r\n"
      "[1]\n"
      "Name = Big Hopper\n",
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
  EXPECT_EQ(goblin.description, "Walks about.\r\nTurns at walls.\r\nA \\ B");
  ASSERT_EQ(goblin.sprite.size(), 32u * 32u * 4u);
  // Colour 0 is transparent, colour 1 drawn from the palette (1, 254, 0).
  EXPECT_EQ(std::vector<int>(goblin.sprite.begin(), goblin.sprite.begin() + 4), (std::vector<int>{0, 255, 0, 0}));
  EXPECT_EQ(std::vector<int>(goblin.sprite.begin() + 64, goblin.sprite.begin() + 68),
            (std::vector<int>{1, 254, 0, 255}));
  EXPECT_NE(catalogue.generation(), builtIn);
  EXPECT_EQ(catalogue.ofType(1)->description, "") << "a row taking a built-in place takes all of it";
}

struct CatalogueFixture : EngineFixture, ScriptAnswers {
  TempFolder folder;
  void queueAnswer(MessageAnswer answer) override { services.answers.push_back(answer); }
  void queueChoice(const std::string&) override {}
  void setCatalogue(const std::string& name) {
    const ScriptParseResult parsed = parseEditScript("set Settings EntityCatalogue " + folder.file(name) + "\n");
    runEditScript(parsed.steps, *commands, *this);
  }
};

TEST(EntityCatalogueFile, AFileThatCannotBeReadIsReportedOnceAndTheBuiltInRowsStayUsable) {
  CatalogueFixture f;
  f.layer("Level", 64, 40, LayerKind::Primary);
  MapLayer& entities = f.layer("Entities", 0, 0, LayerKind::Entity);
  writeBytes(f.folder.file("good.ini"), textBytes("[9]\nName=Bat\nSprite=bat.bmp\n"));
  writePage(f.folder, "bat.bmp", makePage(32, 32, [](int x, int y) { return static_cast<std::uint8_t>(x ^ y); }));
  writeBytes(f.folder.file("bad.ini"), textBytes("[9]\nName=Bat\nSpeed=3\n"));

  f.setCatalogue("good.ini");
  EXPECT_EQ(std::tuple(f.state().entityCatalogue.rowCount(), f.services.messages.size()), std::tuple(7, 0u));
  f.state().entityType = 6;
  f.setCatalogue("bad.ini");
  f.setCatalogue("bad.ini");  // the same file again: no second message
  EXPECT_EQ(f.services.messages,
            std::vector<Message>{shown("The entity catalogue \"" + f.folder.file("bad.ini") +
                                           "\" has a fault on line 3: \"speed\" is not a key of a catalogue; the "
                                           "keys are Name, Description and Sprite.\n\nThe built-in entities stay in "
                                           "the list.",
                                       MessageIcon::Warning, " - Entity Catalogue")});
  EXPECT_EQ(std::tuple(f.state().entityCatalogue.rowCount(), f.state().entityType), std::tuple(6, 5));
  f.run(cmd::kEntityPlacementMode);
  f.engine->mouseMove({100, 100}, {}, {});
  SideBars(*f.engine).spawn();
  EXPECT_EQ(readEntity(entities, 0)->type, 5) << "the last built-in row";

  f.setCatalogue("missing.ini");
  EXPECT_EQ(f.services.lastText(), "The entity catalogue \"" + f.folder.file("missing.ini") +
                                       "\" could not be opened.\n\nThe built-in entities stay in the list.");
  // Preferences confirmed read the file again, mended or not.
  writeBytes(f.folder.file("missing.ini"), textBytes("[9]\nName=Bat\n"));
  f.engine->reloadPreferences();
  EXPECT_EQ(f.state().entityCatalogue.rowCount(), 7);
}

}  // namespace
}  // namespace qarto::test
