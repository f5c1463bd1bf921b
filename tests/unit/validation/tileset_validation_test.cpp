#include "export/tileset_validation.h"

#include <gtest/gtest.h>

#include "io/bmp_codec.h"
#include "model/memory_settings_store.h"
#include "model/tileset.h"
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
      case 0: return 0x20;
      case 1: return (x == 12 && y == 3) ? 0x21 : 0x00;
      case 2: return 0x31;
      default: return (y == 0 && x < 27) ? 0x15 : 0x10;
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

TEST(TilesetValidation, RowAndSparseTestsCountTheRightTiles) {
  Tileset page;
  static_cast<IndexedImage&>(page) = fourTiles();
  ASSERT_TRUE(computeTilesetGeometry(page));

  ValidationCounts counts = scanTilePage(page, 1, false);
  EXPECT_EQ(counts.invalidTiles, 1);
  EXPECT_EQ(counts.sparseTiles, 1);  // tile 1; tile 3 has one pixel too many
  EXPECT_EQ(scanTilePage(page, 2, false).sparseTiles, 1);
  EXPECT_EQ(scanTilePage(page, 3, false).sparseTiles, 2);  // exactly the threshold counts
  EXPECT_EQ(scanTilePage(page, 63, false).sparseTiles, 2);  // 64 opaque pixels are never sparse

  // Blanking keeps only faulty tiles: 1 (invalid and sparse) and 3 (sparse at 3).
  const IndexedImage original = page;
  scanTilePage(page, 3, true);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * 32 + x);
      const bool kept = x / 8 == 1 || x / 8 == 3;
      ASSERT_EQ(page.pixels[i], kept ? original.pixels[i] : 0) << x << "," << y;
    }
  }
}

TEST(TilesetValidation, RefusalsComeBeforeAnyWork) {
  Validation v;
  ValidateTilesetRequest none;
  none.checkInvalid16 = false;
  EXPECT_EQ(v.run(none), ValidationOutcome::Refused);

  for (const char* threshold : {"64", "0", "", "abc", "3x"}) {
    ValidateTilesetRequest request;
    request.checkSparse = true;
    request.thresholdText = threshold;
    EXPECT_EQ(v.run(request), ValidationOutcome::Refused) << threshold;
  }
  ValidateTilesetRequest missing;
  missing.path = v.folder.file("missing.bmp");
  EXPECT_EQ(v.run(missing), ValidationOutcome::Refused);

  const std::string wrongType = v.folder.file("tiles.BMP");
  test::writeBytes(wrongType, test::readBytes(v.path));
  ValidateTilesetRequest capitals;
  capitals.path = wrongType;
  EXPECT_EQ(v.run(capitals), ValidationOutcome::LoadFailed);

  std::vector<std::string> texts;
  for (const auto& message : v.services.messages) {
    texts.push_back(message.text);
    EXPECT_EQ(message.icon, MessageIcon::Warning);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "You have not specified any error types to check for.",
                       "Please enter a pixel count threshold.", "Please enter a pixel count threshold.",
                       "Please enter a pixel count threshold.", "Please enter a pixel count threshold.",
                       "Please enter a pixel count threshold.", "The requested tileset does not exist.",
                       "Unknown file type."}));
  EXPECT_EQ(v.services.messages[0].caption, "Qarto v0.99");
  EXPECT_EQ(v.services.messages.back().caption, "Qarto v0.99 - Tile Load Error");
  EXPECT_TRUE(v.services.saveRequests.empty());
}

TEST(TilesetValidation, TextReportNamesOnlyTheRequestedChecks) {
  Validation v;
  ValidateTilesetRequest both;
  both.checkSparse = true;
  both.thresholdText = " 3 ";
  EXPECT_EQ(v.run(both), ValidationOutcome::Reported);
  EXPECT_EQ(v.services.lastMessage().caption, "Qarto v0.99 - Error Report");
  EXPECT_EQ(v.services.lastMessage().icon, MessageIcon::Warning);
  EXPECT_EQ(v.services.lastText(),
            "Tileset: <" + v.path +
                ">\n\nContains 1 tiles that are not valid 16 colour tiles.\n\nContains 2 tiles that have 3 or fewer "
                "non-transparent pixels.\n* Since invalid 16 colour tiles were detected, the checks for pixel counts "
                "may not be at all accurate.");

  ValidateTilesetRequest sparseOnly = both;
  sparseOnly.checkInvalid16 = false;
  sparseOnly.thresholdText = "1";
  v.run(sparseOnly);
  EXPECT_EQ(v.services.lastText(),
            "Tileset: <" + v.path +
                ">\n\nContains 1 tiles that have 1 or fewer non-transparent pixels.\n* Since invalid 16 colour tiles "
                "were detected, the checks for pixel counts may not be at all accurate.");

  // A clean page under the requested check.
  const std::string clean = test::writePage(v.folder, "clean.bmp", test::makePage(16, 8, [](int, int) {
                                              return std::uint8_t{0x42};
                                            }));
  ValidateTilesetRequest request;
  request.path = clean;
  EXPECT_EQ(v.run(request), ValidationOutcome::NoErrors);
  EXPECT_EQ(v.services.lastText(), "Tileset <" + clean + "> does not contain any errors of the type you requested.");
  EXPECT_EQ(v.services.lastMessage().caption, "Qarto v0.99 - Validation Success");
  EXPECT_EQ(v.services.lastMessage().icon, MessageIcon::Information);
}

TEST(TilesetValidation, ImageModeWritesOnlyFaultyTiles) {
  Validation v;
  v.settings.writeInt("Settings", "UseDefTilesetPath", 1);
  v.settings.writeText("Settings", "DefTilesetPath", "/pages/default");
  ValidateTilesetRequest request;
  request.outputImage = true;

  EXPECT_EQ(v.run(request), ValidationOutcome::ImageCancelled);
  ASSERT_EQ(v.services.saveRequests.size(), 1u);
  EXPECT_EQ(v.services.saveRequests[0].title, "Export Invalid Tileset");
  EXPECT_EQ(v.services.saveRequests[0].filter, "Image Files (*.bmp)|*.bmp||");
  EXPECT_EQ(v.services.saveRequests[0].defaultExtension, ".bmp");
  EXPECT_EQ(v.services.saveRequests[0].initialFolder, "/pages/default");
  EXPECT_TRUE(v.services.messages.empty());

  // Only the 16-colour check is ticked, yet the one-pixel tile 1 stays; tile 3
  // (three pixels) does not reach the implied threshold of 1.
  const std::string out = v.folder.file("faulty.bmp");
  v.services.saveFileAnswers.push_back(out);
  EXPECT_EQ(v.run(request), ValidationOutcome::ImageWritten);
  EXPECT_EQ(v.services.lastText(), "The image has been exported.");
  EXPECT_EQ(v.services.lastMessage().caption, "Qarto v0.99");
  IndexedImage expected = fourTiles();
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (x / 8 != 1) expected.pixels[static_cast<std::size_t>(y * 32 + x)] = 0;
    }
  }
  EXPECT_EQ(test::readBytes(out), encodeIndexedBmp(expected, 256));

  const std::string unwritable = v.folder.file("none/faulty.bmp");
  v.services.saveFileAnswers.push_back(unwritable);
  EXPECT_EQ(v.run(request), ValidationOutcome::ImageFailed);
  EXPECT_EQ(v.services.lastText(), "File <" + unwritable + "> could not be opened for writing.");
  EXPECT_EQ(v.services.lastMessage().icon, MessageIcon::Warning);

  // A page without faults: the success message, no chooser, nothing written.
  request.path = test::writePage(v.folder, "clean.bmp", test::makePage(8, 8, [](int, int) { return std::uint8_t{1}; }));
  EXPECT_EQ(v.run(request), ValidationOutcome::NoErrors);
  EXPECT_EQ(v.services.saveRequests.size(), 3u);
}

TEST(TilesetValidation, HeadlessRunReportsAndWritesTheImage) {
  TempFolder folder;
  const std::string path = test::writePage(folder, "tiles.bmp", fourTiles());

  ValidationOptions options;
  options.checkInvalid16 = false;
  options.checkSparse = true;
  options.threshold = 3;
  const std::string image = folder.file("out.bmp");
  ValidationRun run = validateTilesetFile(path, options, image);
  EXPECT_TRUE(run.ok);
  EXPECT_TRUE(run.errorsFound);
  EXPECT_EQ(run.report.rfind("Tileset: <" + path + ">\n\nContains 2 tiles that have 3 or fewer", 0), 0u);
  EXPECT_EQ(test::readBytes(image).size(), 1078u + 256u);

  options.threshold = 64;
  run = validateTilesetFile(path, options);
  EXPECT_FALSE(run.ok);
  EXPECT_EQ(run.message, "Please enter a pixel count threshold.");

  run = validateTilesetFile(folder.file("nothing.bmp"), ValidationOptions{});
  EXPECT_FALSE(run.ok);
  EXPECT_EQ(run.message, "The requested tileset does not exist.");

  const std::string clean = test::writePage(folder, "clean.bmp", test::makePage(8, 8, [](int, int) {
                                              return std::uint8_t{0};
                                            }));
  run = validateTilesetFile(clean, ValidationOptions{}, folder.file("unused.bmp"));
  EXPECT_TRUE(run.ok);
  EXPECT_FALSE(run.errorsFound);
  EXPECT_EQ(run.report, "Tileset <" + clean + "> does not contain any errors of the type you requested.");
  EXPECT_TRUE(test::readBytes(folder.file("unused.bmp")).empty());
}

}  // namespace
}  // namespace qarto
