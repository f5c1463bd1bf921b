#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "edit/session/map_file_commands.h"
#include "io/images/display_image.h"
#include "model/project/map_project.h"
#include "model/tileset/tileset_registration.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

class Checker {
 public:
  void check(bool ok, const char* what) {
    std::printf("  [%s] %s\n", ok ? " ok " : "FAIL", what);
    ok ? ++passed_ : ++failed_;
  }
  int passed() const { return passed_; }
  int failed() const { return failed_; }

 private:
  int passed_ = 0;
  int failed_ = 0;
};

// A 16x16 page of four tiles: blank, two colours of palette row 1, and a
// mirrored copy of the second.
std::unique_ptr<Tileset> makePage() {
  auto page = std::make_unique<Tileset>();
  page->sourcePath = "selfcheck/page.bmp";
  page->imageWidth = 16;
  page->imageHeight = 16;
  page->pixels.assign(256, 0);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      page->pixels[static_cast<std::size_t>(y * 16 + 8 + x)] = static_cast<std::uint8_t>(x < y ? 0x11 : 0x12);
      page->pixels[static_cast<std::size_t>((y + 8) * 16 + x)] = static_cast<std::uint8_t>(7 - x < y ? 0x11 : 0x12);
    }
  }
  for (int i = 0; i < 256; ++i) page->palette[static_cast<std::size_t>(i) * 3] = static_cast<std::uint8_t>(i);
  computeTilesetGeometry(*page);
  return page;
}

}  // namespace

int runSelfcheck(const std::vector<std::string>& args) {
  CliArguments arguments({}, {});
  std::string error;
  if (!arguments.parse(args, error) || !arguments.positional().empty()) {
    std::fprintf(stderr, "qarto-cli selfcheck: %s\n", error.empty() ? "takes no arguments" : error.c_str());
    return kExitUsage;
  }
  std::printf("Qarto core self-check\n");
  Checker checker;
  CliContext context(false, CliContext::Settings::Private);
  EditorSession& session = context.session();
  MapProject& project = session.project();

  MapLayer* primary = project.addLayer("Level", 32, 32, 1.0f, 1.0f, LayerKind::Primary, false);
  checker.check(primary != nullptr && project.activeLayer == primary, "a primary layer is created and active");
  MapLayer* back = project.addLayer("Sky", 0, 0, 0.5f, 0.5f, LayerKind::Secondary, false);
  checker.check(back != nullptr && back->width == 31 && back->height == 26, "parallax 0.5 derives 31x26 from 32x32");

  auto page = makePage();
  DisplayImage display = makeDisplayImage(*page);
  Tileset* tileset = registerTileset(project, session.host(), std::move(page), std::move(display));
  checker.check(tileset != nullptr && tileset->id == 1, "the first tile page is registered as id 1");
  checker.check(primary->cell(5, 5).tileset == 1 && primary->cell(5, 5).tile == 0,
                "the first page fills the layers with its blank tile");

  UndoJournal& journal = project.journal();
  journal.beginCellEdit(primary);
  for (int pass = 0; pass < 3; ++pass) {
    journal.recordCell(3, 4, primary->cell(3, 4));
    primary->cell(3, 4).tile = static_cast<std::int16_t>(1 + pass);
  }
  journal.commitCellEdit();
  journal.undo(project);
  checker.check(primary->cell(3, 4).tile == 0 && !journal.canUndo(), "a stroke over one cell undoes in one step");

  primary->cell(1, 1).tile = 2;
  primary->cell(1, 1).flags = kCellHFlip;
  const auto folder = std::filesystem::temp_directory_path() / ("qarto-selfcheck-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  project.filePath = (folder / "selfcheck.qrm").string();
  checker.check(saveMap(session, false), "the map saves");
  const std::string saved = project.filePath;
  CliContext reloaded(false, CliContext::Settings::Private);
  checker.check(reloaded.loadMapFile(saved), "the map loads again");
  MapProject& copy = reloaded.session().project();
  checker.check(copy.layerCount() == 2 && copy.layers()[1]->nameText() == "Level" &&
                    copy.layers()[1]->cell(1, 1) == primary->cell(1, 1) && copy.activeLayer == copy.layers()[1].get(),
                "layers, cells and the active layer survive the round trip");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);

  std::printf("%d passed, %d failed\n", checker.passed(), checker.failed());
  return checker.failed() == 0 ? kExitOk : kExitFailed;
}

}  // namespace qarto
