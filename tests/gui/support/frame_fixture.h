#pragma once

#include <QKeySequence>
#include <memory>
#include <string>
#include <vector>

#include "app/frame/main_frame.h"
#include "model/settings/memory_settings_store.h"
#include "support/scripted_services.h"

class QMenu;

namespace qarto::test {

// The main frame over a stand-in view, with scripted services (no modal box
// ever blocks) and settings held in memory.
struct FrameFixture {
  // With Run Map in the Tools menu, and playing `baseRom` when one is named.
  explicit FrameFixture(bool withRunMap = false, const char* baseRom = nullptr);
  ~FrameFixture();

  CMainFrame& operator*() { return *frame; }
  CMainFrame* operator->() { return frame.get(); }

  // Loads examples/demo.qrm as the user would open it.
  bool loadDemo();
  // A key as the keyboard delivers it to the map view.
  void press(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {});
  // Replaces every command's handler with one that only notes its id, so a
  // test sees which command a menu item, button or key reaches.
  std::vector<int>& recordCommands();

  ScriptedServices services;
  MemorySettingsStore settings;
  std::unique_ptr<CMainFrame> frame;
  std::vector<int> fired;
};

// The path of a file under examples/.
std::string examplePath(const char* name);
// A menu of the menu bar by its text ("&Layers").
QMenu* menuBarMenu(CMainFrame& frame, const QString& text);

}  // namespace qarto::test
