#include "cli/cli_commands.h"

namespace qarto {

const std::vector<CliCommand>& cliCommands() {
  static const std::vector<CliCommand> commands = {
      {"export",
       "Export a map to C source files, as Export to Header does (--binary: as binary files).\n\n"
       "  --screenblocks  map arrays of layers beyond 32 cells a side as consecutive 32x32 screen blocks\n"
       "  --lz77          every array compressed for the GBA BIOS (SWI 0x11/0x12)\n"
       "  --preset NAME   the files to write: templates (the export definition's, the default), grit (per tile "
       "layer NAME.c/.h with grit's names), butano (per tile layer graphics/NAME.bmp and .json)",
       "export MAP.qrm -o DIR [--binary | --preset templates|grit|butano] [--screenblocks] [--lz77] "
       "[--bank-offset N] [--tile-offset N] "
       "[--saturation S] [--luminance L] [--definition FILE.qrd] [--yes]",
       runExport},
      {"count", "Print the unique tile and palette counts of a map.", "count MAP.qrm [--yes]", runCount},
      {"layer-bmp", "Write a layer of a map as an 8-bit BMP.", "layer-bmp MAP.qrm -o OUT.bmp [--layer NAME] [--yes]",
       runLayerBmp},
      {"import-layer", "Add a layer made from C arrays (palette, 4bpp tiles, screen entries), as Import Layer does.",
       "import-layer MAP.qrm --palette FILE[:ARRAY] --tiles FILE[:ARRAY] --map FILE[:ARRAY] --width N "
       "[-o OUT.qrm] [--yes]",
       runImportLayer},
      {"validate", "Check a tile page against the 16-colour rule and for sparse tiles.",
       "validate IMAGE [--sparse N] [--no-16-colour] [--image OUT.bmp]", runValidate},
      {"info", "Describe a map as loaded.", "info MAP.qrm [--json] [--yes]", runInfo},
      {"upgrade", "Save a map of any revision in the current one (in place unless -o).",
       "upgrade MAP.qrm [-o OUT.qrm] [--yes]", runUpgrade},
#ifdef QARTO_WITH_RENDER
      {"render", "Draw the map or a tile page as the editor shows it, into a PNG (off-screen, no display).",
       "render MAP.qrm -o OUT.png [--view map|tile] [--size WxH] [--zoom Z] [--scroll X,Y] [--tileset ID] [--grid] "
       "[--frame-mask] [--bounds] [--layer NAME] [--yes]",
       runRender},
#endif
      {"rom", "Write a GBA ROM that plays the map (the map player with the map appended).",
       "rom MAP.qrm -o OUT.gba [--start X,Y] [--yes]", runRom},
      {"run", "Play the map's ROM in the emulator, headless, and write its last frame as a PNG.",
       "run MAP.qrm -o FRAME.png [--start X,Y] [--frames N] [--keys SEQUENCE] [--yes]", runRun},
      {"edit", "Run an edit script through the editor's own engine and save the result.",
       "edit MAP.qrm --script FILE [-o OUT.qrm] [--yes]", runEdit},
      {"commands", "List the editor's commands: id, menu places, keys, and with a map whether each is enabled.",
       "commands [MAP.qrm] [--json] [--yes]", runCommands},
      {"selfcheck", "Run the core's self-check.", "selfcheck", runSelfcheck},
      {"remap-palette", "Move a palette row of a tile page, or merge two, as the Palette Remapper does.",
       "remap-palette MAP.qrm (--move FROM,TO | --merge FROM,INTO) [--tileset ID] [-o OUT.qrm] [--yes]",
       runRemapPalette},
      {"budget", "Print the map's hardware budget: unique tiles, palettes, screen blocks, ROM bytes.",
       "budget MAP.qrm [--json] [--yes]", runBudget},
      {"recover", "List the recovery copies the editor keeps of unsaved maps, or write one out as a map.",
       "recover --list | recover MAP.qrm -o OUT.qrm", runRecover},
      {"import-tmx", "Make a map from a Tiled map (.tmx), as File > Import does.", "import-tmx MAP.tmx -o OUT.qrm [--yes]",
       runImportTmx},
      {"export-tmx", "Write a map as a Tiled map (.tmx) with its tile pages as indexed PNG files beside it.",
       "export-tmx MAP.qrm -o OUT.tmx [--cells csv|xml|base64|zlib|gzip|zstd] [--yes]", runExportTmx},
      {"import-image", "Make a map, or a layer of one, from any picture: tiles, packed palette banks and cells.",
       "import-image PICTURE -o MAP.qrm [--into MAP.qrm] [--layer NAME] [--reduce] [--backdrop RRGGBB] [--yes]",
       runImportImage},
  };
  return commands;
}

}  // namespace qarto
