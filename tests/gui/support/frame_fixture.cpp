#include "support/frame_fixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "edit/commands/command_table.h"
#include "edit/commands/editor_commands.h"
#include "render/art/builtin_glyphs.h"
#include "support/stand_in_view.h"

namespace qarto::test {

FrameFixture::FrameFixture(bool withRunMap, const char* baseRom) {
  CMainFrame::Options options;
  options.withRunMap = withRunMap;
  if (baseRom != nullptr) options.baseRomPath = baseRom;
  options.viewFactory = StandInView::factory();
  frame = std::make_unique<CMainFrame>(services, settings, builtinGlyphSet(), options);
  frame->resize(1000, 700);
}

FrameFixture::~FrameFixture() = default;

bool FrameFixture::loadDemo() { return frame->openMapByPath(examplePath("demo.qrm")); }

void FrameFixture::press(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
  QTest::sendKeyEvent(QTest::Click, frame->view(), static_cast<Qt::Key>(qtKey), text, modifiers);
}

std::vector<int>& FrameFixture::recordCommands() {
  for (const CommandInfo& info : commandTable()) {
    const int id = info.id;
    frame->commands().add(id, {{}, {}, [this, id] { fired.push_back(id); }});
  }
  frame->showEngineState();
  return fired;
}

std::string examplePath(const char* name) { return std::string(QARTO_SOURCE_DIR) + "/examples/" + name; }

QMenu* menuBarMenu(CMainFrame& frame, const QString& text) {
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->text() == text) return action->menu();
  }
  return nullptr;
}

}  // namespace qarto::test
