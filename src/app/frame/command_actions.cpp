#include "app/frame/command_actions.h"

#include <QAction>

#include "edit/commands/command_table.h"
#include "edit/commands/editor_commands.h"
#include "edit/commands/menu_layout.h"

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

QString commandText(int id) {
  const auto& texts = menuTexts();
  if (auto it = texts.find(id); it != texts.end()) return QString::fromStdString(it->second);
  const CommandInfo* info = findCommand(id);
  if (info == nullptr) return {};
  QString text = QString::fromUtf8(info->name);
  if (!info->keys.empty()) text += u'\t' + QString::fromStdString(info->keys.front().label());
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
