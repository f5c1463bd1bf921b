#pragma once

#include <QObject>
#include <map>

class QAction;

namespace qarto {

class EditorCommands;

// One QAction per command id, shared by the menu bar, both context menus,
// the toolbar and the layer bar's menu. An action's text is the command's
// menu text ("\t" puts the key in the menu's key column), its status tip
// and tool tip the two halves of the command's prompt. Keys do not go
// through the actions: the frame hands them to EditorCommands::handleKey.
class CommandActions : public QObject {
  Q_OBJECT

 public:
  CommandActions(EditorCommands& commands, QObject* parent = nullptr);

  QAction* action(int id) const;
  const std::map<int, QAction*>& all() const { return actions_; }

  // Enables and ticks every action from the commands' rules.
  void update();

 signals:
  // The user chose the command (menu, context menu, toolbar).
  void commandChosen(int id);

 private:
  EditorCommands& commands_;
  std::map<int, QAction*> actions_;
  bool classicShown_ = false;  // the key set the texts show
};

// The text an id shows wherever it appears: its menu text, or for ids in
// no menu its name and first key.
// With `classic`, the keys of the "Classic keys" set.
QString commandText(int id, bool classic = false);

}  // namespace qarto
