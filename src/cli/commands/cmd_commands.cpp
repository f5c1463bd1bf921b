#include <cstdio>
#include <memory>
#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_editor.h"
#include "cli/json_writer.h"
#include "cli/map_rom_options.h"
#include "edit/commands/command_table.h"
#include "edit/commands/menu_layout.h"

namespace qarto {

namespace {

struct Placement {
  std::string path;  // "&Layers/&Flip Active Layer"
  std::string text;  // the item's text without its key column
};

// Every menu place of every command: the menu bar, then "MapMenu" and "TileMenu".
std::vector<std::pair<int, Placement>> allPlacements() {
  std::vector<std::pair<int, Placement>> out;
  auto collect = [&out](const std::vector<MenuItem>& menus) {
    for (const MenuPlacement& p : commandPlacements(menus)) {
      out.push_back({p.item->id, {p.path, p.item->text.substr(0, p.item->text.find('\t'))}});
    }
  };
  collect(mainMenuBar());
  collect({mapContextMenu(), tileContextMenu()});
  return out;
}

// Run Map and Save ROM As are enabled, as in the editor, beside the player ROM.
struct RomAwareFrame : FrameHost {
  std::string rom = playerRomIfPresent();
  std::string baseRomPath() const override { return rom; }
};

std::string keysOf(const CommandInfo& info, const char* separator) {
  std::string keys;
  for (const KeyBinding& binding : info.keys) keys += (keys.empty() ? "" : separator) + binding.label();
  return keys;
}

}  // namespace

int runCommands(const std::vector<std::string>& args) {
  CliArguments arguments({}, {"--json", "--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() > 1) {
    std::fprintf(stderr, "qarto-cli commands: %s\n", error.empty() ? "expected at most one map file" : error.c_str());
    return kExitUsage;
  }
  std::unique_ptr<CliEditor> editor;
  RomAwareFrame frame;
  if (!arguments.positional().empty()) {
    editor = std::make_unique<CliEditor>(arguments.has("--yes"), &frame);
    if (!editor->load(arguments.positional()[0])) return kExitFailed;
  }
  const bool json = arguments.has("--json");
  const std::vector<std::pair<int, Placement>> placements = allPlacements();

  std::ostringstream out;
  if (json) out << "[";
  bool first = true;
  for (const CommandInfo& info : commandTable()) {
    std::vector<Placement> menus;
    for (const auto& [id, placement] : placements) {
      if (id == info.id) menus.push_back(placement);
    }
    if (json) {
      out << (first ? "\n  " : ",\n  ") << "{\"id\": " << info.id << ", \"name\": " << jsonString(info.name)
          << ", \"menus\": [";
      for (std::size_t i = 0; i < menus.size(); ++i) {
        out << (i ? ", " : "") << "{\"path\": " << jsonString(menus[i].path)
            << ", \"text\": " << jsonString(menus[i].text) << "}";
      }
      out << "], \"keys\": [";
      for (std::size_t i = 0; i < info.keys.size(); ++i) out << (i ? ", " : "") << jsonString(info.keys[i].label());
      out << "]";
      if (editor) out << ", \"enabled\": " << (editor->commands().enabled(info.id) ? "true" : "false");
      out << "}";
    } else {
      out << info.id << "\t" << info.name << "\t";
      for (std::size_t i = 0; i < menus.size(); ++i) out << (i ? " | " : "") << menus[i].path << "/" << menus[i].text;
      out << "\t" << keysOf(info, " ");
      if (editor) out << "\t" << (editor->commands().enabled(info.id) ? "enabled" : "disabled");
      out << "\n";
    }
    first = false;
  }
  if (json) out << "\n]\n";
  std::fputs(out.str().c_str(), stdout);
  return kExitOk;
}

}  // namespace qarto
