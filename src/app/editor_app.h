#pragma once

#include <memory>
#include <string>

#include "app/view/view_surface.h"
#include "render/art/glyph_set.h"

namespace qarto {

class CMainFrame;
class PlatformServices;
class SettingsStore;

// The application object: the start-up steps from the program's folder to
// the map named on the command line.
class EditorApp {
 public:
  EditorApp(PlatformServices& services, SettingsStore& settings);
  ~EditorApp();

  // Runs every start-up step: program folder and base ROM, the defaults of
  // the start-up settings, the main frame shown maximized, and the map of
  // the command line (every argument joined by blanks, double quotes
  // removed: the whole line is one path). `moduleDirectory` empty means the
  // folder of the running program.
  bool start(const std::string& commandLine, const std::string& moduleDirectory = {}, ViewFactory viewFactory = {});

  const std::string& title() const { return title_; }
  const std::string& moduleDirectory() const { return moduleDirectory_; }
  bool baseRom() const { return baseRom_; }
  CMainFrame* frame() const { return frame_.get(); }

 private:
  PlatformServices& services_;
  SettingsStore& settings_;
  std::string title_;
  std::string moduleDirectory_;
  bool baseRom_ = false;
  GlyphSet glyphs_;
  std::unique_ptr<CMainFrame> frame_;
};

// The command line as one map path: the arguments after the program joined
// by blanks, every double quote removed.
std::string commandLinePath(int argc, char** argv);

}  // namespace qarto
