#pragma once

#include <QObject>
#include <vector>

#include "edit/commands/menu_layout.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace qarto {

class CommandActions;
class SettingsStore;

// Builds Qt menus from the menu data, putting each id's shared action in
// every place the data names. The recent-file place of the File menu holds
// the nine recent-file actions, filled from the settings each time the menu
// opens ("Recent File", disabled, while the list is empty).
class MenuBuilder : public QObject {
  Q_OBJECT

 public:
  MenuBuilder(CommandActions& actions, SettingsStore& settings, QObject* parent = nullptr);

  // The menu bar's menus (File, Edit, View, Layers, Tools, Help). Without a
  // base ROM the Tools menu has no Run Map item.
  void fillMenuBar(QMenuBar& bar, bool withRunMap);
  // A context menu ("MapMenu", "TileMenu") as a pop-up owned by `parent`.
  QMenu* buildPopup(const MenuItem& menu, QWidget* parent);
  // The menu bar's Layers menu (the layer bar opens it too).
  QMenu* layersMenu() const { return layersMenu_; }

 signals:
  // A menu is about to open: the frame brings the enabled states up to date.
  void menuAboutToShow();

 private:
  void fill(QMenu& menu, const std::vector<MenuItem>& items);
  void refreshRecentFiles();

  CommandActions& actions_;
  SettingsStore& settings_;
  QMenu* layersMenu_ = nullptr;
  QAction* recentPlaceholder_ = nullptr;
};

}  // namespace qarto
