#include "cli/cli_commands.h"

namespace qarto {

const std::vector<CliCommand>& cliCommands() {
  static const std::vector<CliCommand> commands = {
      {"export", "Export a map to C source files, as Export to Header does (--binary: as binary files).",
       "export MAP.qrm -o DIR [--binary] [--bank-offset N] [--tile-offset N] [--saturation S] [--luminance L] "
       "[--definition FILE.qrd] [--yes]",
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
      {"import-image", "Make a map, or a layer of one, from any picture: tiles, packed palette banks and cells.",
       "import-image PICTURE -o MAP.qrm [--into MAP.qrm] [--layer NAME] [--reduce] [--backdrop RRGGBB] [--yes]",
       runImportImage},
  };
  return commands;
}

}  // namespace qarto
