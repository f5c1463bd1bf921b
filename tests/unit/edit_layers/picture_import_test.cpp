// Pictures made into layers and maps: what the layer exports is the picture
// at 15 bits; the page lands beside the map under a free name; refusals
// write nothing.
#include "edit/layers/picture/picture_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "edit/session/map_file_commands.h"
#include "export/layer_bmp_export.h"
#include "io/images/bmp_codec.h"
#include "layers_fixture.h"
#include "support/hidden_banks.h"

namespace qarto::test {
namespace {

struct PictureFixture : LayersFixture {
  TempFolder folder;
  PictureFixture() {
    layer("Level", 30, 20, LayerKind::Primary);
    project().filePath = folder.file("level.qrm");
  }
  std::string write(const std::string& name, const DisplayImage& picture) {
    writeBytes(folder.file(name), bmp32(picture));
    return folder.file(name);
  }
  // The layer as Export Layer to BMP writes it, at 15 bits.
  std::vector<std::uint32_t> exported(const MapLayer& layer) {
    EXPECT_TRUE(exportLayerToBmpFile(&layer, registry(), services, folder.file("layer.bmp")));
    IndexedImage image;
    std::string message;
    EXPECT_TRUE(readBmp(folder.file("layer.bmp"), image, message)) << message;
    return shownPixels(image);
  }
};

PictureRequest request(const std::string& path) {
  PictureRequest r;
  r.path = path;
  return r;
}

TEST(PictureImport, LayerExportsThePictureAndUndoTakesItAway) {
  PictureFixture f;
  const HiddenPicture hidden = makeHiddenPicture({21, 16, 400, 3, 9, true, 10, 25});
  const std::string path = f.write("art.bmp", hidden.picture);
  const auto before = readBytes(path);
  const PictureImport imported = importPictureLayer(f.session, request(path));
  ASSERT_NE(imported.layer, nullptr) << f.services.lastText();
  EXPECT_EQ(std::tuple(imported.layer->nameText(), imported.layer->kind, imported.layer->width, imported.layer->height),
            std::tuple("art", LayerKind::Secondary, 16, 25));
  // The picture keeps its name; the page takes the next free one.
  EXPECT_EQ(imported.pagePath, f.folder.file("art_2.bmp"));
  EXPECT_EQ(readBytes(path), before);
  EXPECT_EQ(f.exported(*imported.layer), pixelsOf(hidden));
  EXPECT_LE(imported.reduction.tiles, hidden.uniqueUnderFlips);
  EXPECT_EQ(std::tuple(f.journal().size(), f.project().modified), std::tuple(1u, true));
  // The same picture again reuses the page; a different one gets art_3.bmp.
  EXPECT_EQ(importPictureLayer(f.session, request(path)).pagePath, f.folder.file("art_2.bmp"));
  const std::string other = f.write("art.bmp", makeHiddenPicture({22, 4, 30, 3, 9, true, 0, 0}).picture);
  EXPECT_EQ(importPictureLayer(f.session, request(other)).pagePath, f.folder.file("art_3.bmp"));
  ASSERT_TRUE(f.journal().undo(f.project()));
  ASSERT_TRUE(f.journal().undo(f.project()));
  ASSERT_TRUE(f.journal().undo(f.project()));
  EXPECT_EQ(f.order(), "Level");
}

TEST(PictureImport, RefusalsWriteNothingAndReduceColoursIsOffered) {
  const DisplayImage picture = seventeenBanks();
  struct Case {
    std::vector<MessageAnswer> answers;
    bool imported;
  } const cases[] = {{{MessageAnswer::No}, false}, {{MessageAnswer::Yes}, true}};
  for (const Case& c : cases) {
    PictureFixture f;
    const std::string path = f.write("wide.bmp", picture);
    f.services.answers.assign(c.answers.begin(), c.answers.end());
    PictureRequest asking = request(path);
    asking.offerReduce = true;
    const PictureImport imported = importPictureLayer(f.session, asking);
    EXPECT_EQ(imported.layer != nullptr, c.imported);
    EXPECT_EQ(std::filesystem::exists(f.folder.file("wide_2.bmp")), c.imported);
    EXPECT_EQ(f.journal().size(), c.imported ? 1u : 0u);
    const std::string asked = f.services.messages.at(0).text;
    EXPECT_EQ(asked.substr(0, 60), "The picture needs 17 palette banks; the GBA has 16. Tiles th");
    EXPECT_NE(asked.find("Reduce colours?"), std::string::npos);
    EXPECT_EQ(imported.reduction.largestColourChange, c.imported ? 1 : 0);
  }
  PictureFixture f;
  EXPECT_EQ(importPictureLayer(f.session, request(f.folder.file("missing.png"))).layer, nullptr);
  EXPECT_EQ(f.services.lastText(), "File <" + f.folder.file("missing.png") + "> not found!");
}

TEST(PictureImport, NewMapPutsASmallPictureTopLeftOnAScreenOfBlankCells) {
  PictureFixture f;
  const HiddenPicture hidden = makeHiddenPicture({23, 5, 64, 3, 9, false, 0, 0});  // 128 x 32 pixels, no clear tile
  const std::string path = f.write("small.bmp", hidden.picture);
  f.project().modified = false;
  const PictureImport made = newMapFromPicture(f.session, request(path), {});
  ASSERT_NE(made.layer, nullptr);
  EXPECT_EQ(std::tuple(made.layer->kind, made.layer->width, made.layer->height, f.order()),
            std::tuple(LayerKind::Primary, 30, 20, "small"));
  EXPECT_EQ(made.reduction.tiles, hidden.uniqueUnderFlips + 1);
  const std::vector<std::uint32_t> shown = f.exported(*made.layer);
  const std::vector<std::uint32_t> want = pixelsOf(hidden);
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 240; ++x) {
      EXPECT_EQ(shown[y * 240 + x], x < 128 && y < 32 ? want[y * 128 + x] : 0u) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace qarto::test
