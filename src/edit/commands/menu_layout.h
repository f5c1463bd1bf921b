#pragma once

#include <string>
#include <vector>

namespace qarto {

// One entry of a menu: a command with its text ("\t" separates the key
// shown), a separator, a submenu, or the place of the recent-file list.
struct MenuItem {
  enum class Kind { Command, Separator, Submenu, RecentFiles };
  Kind kind = Kind::Command;
  int id = 0;
  std::string text;
  std::vector<MenuItem> items;  // Submenu
};

// The menu bar: File, Edit, View, Layers, Tools, Help, each a submenu.
const std::vector<MenuItem>& mainMenuBar();
// The view's context menus: "MapMenu" over the map, "TileMenu" over the
// tile page.
const MenuItem& mapContextMenu();
const MenuItem& tileContextMenu();

// Every command item of a menu tree with its path of submenu texts
// ("&Layers/&Flip Active Layer"), depth first.
struct MenuPlacement {
  std::string path;
  const MenuItem* item;
};
std::vector<MenuPlacement> commandPlacements(const std::vector<MenuItem>& menus, const std::string& prefix = {});

}  // namespace qarto
