#include "app/editor_app.h"

#include <QCoreApplication>
#include <QFile>
#include <QScreen>

#include "app/frame/main_frame.h"
#include "app/frame/recovery_timer.h"
#include "app/view/editor_view_factory.h"
#include "app/view/glyph_rasterizer.h"
#include "app/view/raster/view_framebuffer.h"
#include "edit/session/map_read_ahead.h"
#include "model/app_title.h"
#include "model/settings/settings_defaults.h"

namespace qarto {

namespace {

std::string programFolder() {
  std::string folder = QCoreApplication::applicationDirPath().toStdString();
  for (char& c : folder) {
    if (c == '\\') c = '/';
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string joinPath(std::string folder, const std::string& name) {
  for (char& c : folder) {
    if (c == '\\') c = '/';
  }
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + name;
}

}  // namespace

EditorApp::EditorApp(PlatformServices& services, SettingsStore& settings)
    : services_(services), settings_(settings) {}

EditorApp::~EditorApp() = default;

bool EditorApp::start(const std::string& commandLine, const std::string& moduleDirectory, ViewFactory viewFactory) {
  std::string path;
  for (char c : commandLine) {
    if (c != '"') path += c;
  }
  // The map is read on another thread while the window and its drawing
  // context are made.
  std::unique_ptr<MapReadAhead> readAhead;
  if (!path.empty()) readAhead = std::make_unique<MapReadAhead>(path);
  // And the view's drawing context.
  std::unique_ptr<ViewFramebuffer> viewContext = viewFactory ? nullptr : startViewContext();

  title_ = kAppTitle;
  moduleDirectory_ = moduleDirectory.empty() ? programFolder() : moduleDirectory;
  // The Run Map item stays only beside a base ROM.
  QFile rom(QString::fromStdString(joinPath(moduleDirectory_, "baseRom.gba")));
  baseRom_ = rom.open(QIODevice::ReadOnly);
  rom.close();

  ensureSettingsDefaults(settings_);

  glyphs_ = rasterizeGlyphs(viewFont());
  CMainFrame::Options options;
  options.withRunMap = baseRom_;
  options.baseRomPath = joinPath(moduleDirectory_, "baseRom.gba");
  options.viewFactory = viewFactory ? std::move(viewFactory) : editorViewFactory(services_, std::move(viewContext));
  frame_ = std::make_unique<CMainFrame>(services_, settings_, glyphs_, std::move(options));
  // Without a window manager "maximized" means nothing: fill the screen first.
  if (const QScreen* screen = frame_->screen()) frame_->setGeometry(screen->availableGeometry());
  // A map on its way: the view shows its background until it is there,
  // not the empty workspace's message.
  if (readAhead) frame_->holdViewDrawing(true);
  frame_->showMaximized();

  // The work a crash left comes first; a restored map takes the place of
  // the command line's.
  const bool restored = frame_->recovery().offerCopies();
  if (readAhead) {
    if (!restored) frame_->openMapByPath(path, readAhead.get());
    frame_->holdViewDrawing(false);
  }
  return true;
}

std::string commandLinePath(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

}  // namespace qarto
