#include "app/frame/command_actions.h"

#include <QAction>

#include "edit/commands/command_ids.h"
#include "edit/commands/command_table.h"
#include "edit/commands/editor_commands.h"
#include "edit/commands/menu_layout.h"
#include "edit/engine/map_view_engine.h"

namespace qarto {

namespace {

const std::map<int, std::string>& menuTexts() {
  static const std::map<int, std::string> texts = [] {
    std::map<int, std::string> out;
    std::vector<MenuItem> menus = mainMenuBar();
    menus.push_back(mapContextMenu());
    menus.push_back(tileContextMenu());
    for (const MenuPlacement& placement : commandPlacements(menus)) {
      out.emplace(placement.item->id, placement.item->text);  // the first place wins
    }
    return out;
  }();
  return texts;
}

}  // namespace

QString commandText(int id, bool classic) {
  const auto& texts = menuTexts();
  if (auto it = texts.find(id); it != texts.end()) return QString::fromStdString(menuTextFor(id, it->second, classic));
  const CommandInfo* info = findCommand(id);
  if (info == nullptr) return {};
  QString text = QString::fromUtf8(info->name);
  const std::vector<KeyBinding>& keys = keysOf(*info, classic);
  if (!keys.empty()) text += u'\t' + QString::fromStdString(keys.front().label());
  return text;
}

CommandActions::CommandActions(EditorCommands& commands, QObject* parent) : QObject(parent), commands_(commands) {
  for (const CommandInfo& info : commandTable()) {
    auto* action = new QAction(commandText(info.id), this);
    const QString prompt = QString::fromUtf8(info.prompt);
    const qsizetype newline = prompt.indexOf(u'\n');
    action->setStatusTip(newline < 0 ? prompt : prompt.left(newline));
    action->setToolTip(newline < 0 ? prompt : prompt.mid(newline + 1));
    action->setIconVisibleInMenu(false);
    action->setData(info.id);
    const int id = info.id;
    connect(action, &QAction::triggered, this, [this, id] { emit commandChosen(id); });
    actions_.emplace(id, action);
  }
}

QAction* CommandActions::action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CommandActions::update() {
  const bool classic = commands_.engine().state().classicKeys;
  if (classic != classicShown_) {
    classicShown_ = classic;
    for (const auto& [id, action] : actions_) {
      if (id < cmd::kRecentFile1 || id > cmd::kRecentFile9) action->setText(commandText(id, classic));
    }
  }
  for (const auto& [id, action] : actions_) {
    action->setEnabled(commands_.enabled(id));
    // Checkable only while ticked: menus then show no empty box beside
    // every item, and a click never flips the tick by itself.
    const bool ticked = commands_.checked(id);
    action->setCheckable(ticked);
    action->setChecked(ticked);
  }
}

}  // namespace qarto
