#include "app/frame/menu_builder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/frame/command_actions.h"
#include "edit/commands/command_ids.h"
#include "io/files/recent_file_list.h"

namespace qarto {

MenuBuilder::MenuBuilder(CommandActions& actions, SettingsStore& settings, QObject* parent)
    : QObject(parent), actions_(actions), settings_(settings) {}

void MenuBuilder::fill(QMenu& menu, const std::vector<MenuItem>& items) {
  connect(&menu, &QMenu::aboutToShow, this, &MenuBuilder::menuAboutToShow);
  for (const MenuItem& item : items) {
    switch (item.kind) {
      case MenuItem::Kind::Command:
        if (QAction* action = actions_.action(item.id)) menu.addAction(action);
        break;
      case MenuItem::Kind::Separator:
        menu.addSeparator();
        break;
      case MenuItem::Kind::Submenu: {
        QMenu* submenu = menu.addMenu(QString::fromStdString(item.text));
        fill(*submenu, item.items);
        break;
      }
      case MenuItem::Kind::RecentFiles:
        recentPlaceholder_ = menu.addAction(QStringLiteral("Recent File"));
        recentPlaceholder_->setEnabled(false);
        for (int id = cmd::kRecentFile1; id <= cmd::kRecentFile9; ++id) menu.addAction(actions_.action(id));
        connect(&menu, &QMenu::aboutToShow, this, &MenuBuilder::refreshRecentFiles);
        break;
    }
  }
}

void MenuBuilder::refreshRecentFiles() {
  const std::vector<std::string> files = RecentFileList(settings_).entries();
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* action = actions_.action(cmd::kRecentFile1 + i);
    const bool used = i < static_cast<int>(files.size());
    action->setVisible(used);
    if (used) {
      QString path = QString::fromStdString(files[static_cast<std::size_t>(i)]);
      path.replace(u'&', QStringLiteral("&&"));
      action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
    }
  }
  recentPlaceholder_->setVisible(files.empty());
}

void MenuBuilder::fillMenuBar(QMenuBar& bar, bool withRunMap) {
  for (const MenuItem& top : mainMenuBar()) {
    QMenu* menu = bar.addMenu(QString::fromStdString(top.text));
    std::vector<MenuItem> items = top.items;
    if (!withRunMap) {
      std::erase_if(items, [](const MenuItem& item) { return item.id == cmd::kRunMap || item.id == cmd::kSaveRomAs; });
    }
    fill(*menu, items);
    if (top.text == "&Layers") layersMenu_ = menu;
  }
  refreshRecentFiles();
}

QMenu* MenuBuilder::buildPopup(const MenuItem& menu, QWidget* parent) {
  auto* popup = new QMenu(QString::fromStdString(menu.text), parent);
  fill(*popup, menu.items);
  return popup;
}

}  // namespace qarto
