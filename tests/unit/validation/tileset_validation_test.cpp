#include "export/tileset_validation.h"

#include <gtest/gtest.h>

#include "io/images/bmp_codec.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset.h"
#include "support/page_files.h"
#include "support/scripted_services.h"

namespace qarto {
namespace {

using test::TempFolder;

// A 32x8 page of four tiles:
//   0: all index 0x20 (row 2, transparent) - valid, not sparse
//   1: index 0 with one pixel 0x21        - invalid (rows 0 and 2), sparse
//   2: index 0x31 everywhere              - valid, 64 opaque pixels
//   3: index 0x10 with three pixels 0x15  - valid, sparse up to threshold 3
IndexedImage fourTiles() {
  return test::makePage(32, 8, [](int x, int y) -> std::uint8_t {
    switch (x / 8) {
      case 0:
        return 0x20;
      case 1:
        return (x == 12 && y == 3) ? 0x21 : 0x00;
      case 2:
        return 0x31;
      default:
        return (y == 0 && x < 27) ? 0x15 : 0x10;
    }
  });
}

struct Validation {
  test::ScriptedServices services;
  MemorySettingsStore settings;
  TempFolder folder;
  std::string path = test::writePage(folder, "tiles.bmp", fourTiles());

  ValidationOutcome run(ValidateTilesetRequest request) {
    if (request.path.empty()) request.path = path;
    return validateTileset(services, settings, request);
  }
};

TEST(TilesetValidation, RefusalsComeBeforeAnyWork) {
  Validation v;
  const std::string threshold = "Please enter a pixel count threshold.";
  const std::string wrongType = v.folder.file("tiles.BMP");
  test::writeBytes(wrongType, test::readBytes(v.path));
  const std::pair<ValidateTilesetRequest, ValidationOutcome> cases[] = {
      {{v.path, false, false, "1", false}, ValidationOutcome::Refused},
      {{v.path, true, true, "64", false}, ValidationOutcome::Refused},
      {{v.path, true, true, "3x", false}, ValidationOutcome::Refused},
      {{v.folder.file("missing.bmp"), true, false, "1", false}, ValidationOutcome::Refused},
      {{wrongType, true, false, "1", false}, ValidationOutcome::LoadFailed},
  };
  for (const auto& [request, outcome] : cases) EXPECT_EQ(v.run(request), outcome) << request.thresholdText;
  EXPECT_EQ(v.services.messages,
            (std::vector{test::shown("You have not specified any error types to check for.", MessageIcon::Warning),
                         test::shown(threshold, MessageIcon::Warning), test::shown(threshold, MessageIcon::Warning),
                         test::shown("The requested tileset does not exist.", MessageIcon::Warning),
                         test::shown("Unknown file type.", MessageIcon::Warning, " - Tile Load Error")}));
  EXPECT_TRUE(v.services.saveRequests.empty());
}

TEST(TilesetValidation, TextReportNamesOnlyTheRequestedChecks) {
  Validation v;
  const std::string accuracy =
      "\n* Since invalid 16 colour tiles were detected, the checks for pixel counts may not be at all accurate.";
  EXPECT_EQ(v.run({v.path, true, true, " 3 ", false}), ValidationOutcome::Reported);
  EXPECT_EQ(v.run({v.path, false, true, "1", false}), ValidationOutcome::Reported);
  const std::string clean =
      test::writePage(v.folder, "clean.bmp", test::makePage(16, 8, [](int, int) { return std::uint8_t{0x42}; }));
  EXPECT_EQ(v.run({clean, true, false, "1", false}), ValidationOutcome::NoErrors);
  EXPECT_EQ(v.services.messages,
            (std::vector{test::shown("Tileset: <" + v.path +
                                         ">\n\nContains 1 tiles that are not valid 16 colour tiles."
                                         "\n\nContains 2 tiles that have 3 or fewer non-transparent pixels." +
                                         accuracy,
                                     MessageIcon::Warning, " - Error Report"),
                         test::shown("Tileset: <" + v.path +
                                         ">\n\nContains 1 tiles that have 1 or fewer "
                                         "non-transparent pixels." +
                                         accuracy,
                                     MessageIcon::Warning, " - Error Report"),
                         test::shown("Tileset <" + clean + "> does not contain any errors of the type you requested.",
                                     MessageIcon::Information, " - Validation Success")}));
}

TEST(TilesetValidation, ImageModeWritesOnlyFaultyTiles) {
  Validation v;
  v.settings.writeInt("Settings", "UseDefTilesetPath", 1);
  v.settings.writeText("Settings", "DefTilesetPath", "/pages/default");
  ValidateTilesetRequest request{v.path, true, false, "1", true};
  EXPECT_EQ(v.run(request), ValidationOutcome::ImageCancelled);
  EXPECT_EQ(test::describe(v.services.saveRequests.at(0)),
            test::chooser("Export Invalid Tileset", "Image Files (*.bmp)|*.bmp||", ".bmp", "/pages/default"));

  // Only the 16-colour check is ticked, yet the one-pixel tile 1 stays; tile 3
  // (three pixels) does not reach the implied threshold of 1.
  const std::string out = v.folder.file("faulty.bmp");
  const std::string unwritable = v.folder.file("none/faulty.bmp");
  v.services.saveFileAnswers = {out, unwritable};
  EXPECT_EQ(v.run(request), ValidationOutcome::ImageWritten);
  IndexedImage expected = fourTiles();
  for (std::size_t i = 0; i < expected.pixels.size(); ++i) {
    if (i % 32 / 8 != 1) expected.pixels[i] = 0;
  }
  EXPECT_EQ(test::readBytes(out), encodeIndexedBmp(expected, 256));
  EXPECT_EQ(v.run(request), ValidationOutcome::ImageFailed);
  EXPECT_EQ(
      v.services.messages,
      (std::vector{test::shown("The image has been exported.", MessageIcon::Information),
                   test::shown("File <" + unwritable + "> could not be opened for writing.", MessageIcon::Warning)}));
}

}  // namespace
}  // namespace qarto
