#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_arguments.h"
#include "cli/cli_services.h"
#include "cli/read_only_settings.h"
#include "cli/render_module/render_module_entry.h"
#include "edit/engine/map_view_engine.h"
#include "edit/session/map_file_commands.h"
#include "model/project/map_project.h"
#include "model/settings/number_text.h"
#include "model/settings/view_colors.h"
#include "model/tileset/tileset_registry.h"
#include "offscreen/offscreen_context.h"
#include "offscreen/png_file.h"
#include "platform/qt_settings_store.h"
#include "render/art/builtin_glyphs.h"
#include "render/frame_input.h"
#include "render/render_tileset_host.h"
#include "render/renderer.h"

namespace qarto {

namespace {

constexpr const char* kName = "qarto-cli render";

struct RenderOptions {
  bool tileView = false;
  int width = 1280;
  int height = 720;
  float zoom = 1.0f;
  int scrollX = 0;
  int scrollY = 0;
  int tilesetId = 0;  // 0: the current tileset as loaded
  bool grid = false;
  bool frameMask = false;
  bool bounds = false;
  std::string layer;
  std::string out;
};

bool parsePair(const std::string& text, char separator, int& a, int& b) {
  const std::size_t at = text.find(separator);
  if (at == std::string::npos) return false;
  const std::optional<int> first = parseIntegerText(std::string_view(text).substr(0, at));
  const std::optional<int> second = parseIntegerText(std::string_view(text).substr(at + 1));
  if (!first || !second) return false;
  a = *first;
  b = *second;
  return true;
}

bool parseOptions(const CliArguments& arguments, RenderOptions& options, std::string& error) {
  if (auto view = arguments.value("--view")) {
    if (*view != "map" && *view != "tile") {
      error = "--view takes map or tile";
      return false;
    }
    options.tileView = *view == "tile";
  }
  if (auto size = arguments.value("--size")) {
    if (!parsePair(*size, 'x', options.width, options.height) || options.width <= 0 || options.height <= 0 ||
        options.width > 8192 || options.height > 8192) {
      error = "--size takes WIDTHxHEIGHT, each 1 to 8192";
      return false;
    }
  }
  if (auto zoom = arguments.value("--zoom")) {
    const std::optional<double> value = parseDecimalText(*zoom);
    options.zoom = static_cast<float>(value.value_or(0.0));
    if (!value || !(options.zoom >= 0.25f && options.zoom <= 10.0f)) {
      error = "--zoom takes a number from 0.25 to 10";
      return false;
    }
  }
  if (auto scroll = arguments.value("--scroll")) {
    if (!parsePair(*scroll, ',', options.scrollX, options.scrollY)) {
      error = "--scroll takes X,Y in window pixels (for example --scroll -29,-11)";
      return false;
    }
  }
  if (!arguments.intValue("--tileset", options.tilesetId, error)) return false;
  options.grid = arguments.has("--grid");
  options.frameMask = arguments.has("--frame-mask");
  options.bounds = arguments.has("--bounds");
  if (auto layer = arguments.value("--layer")) options.layer = *layer;
  options.out = *arguments.value("-o");
  return true;
}

// Puts the loaded map into the view the options ask for.
bool applyView(MapViewEngine& engine, const RenderOptions& options) {
  ViewState& view = engine.state().view;
  MapProject& project = engine.project();
  view.tileViewShown = options.tileView;
  if (options.tileView) {
    view.tileZoom = options.zoom;
  } else {
    view.mapZoom = options.zoom;
  }
  view.scrollX = options.scrollX;
  view.scrollY = options.scrollY;
  view.showFrameMask = options.frameMask;
  view.showLayerBounds = options.bounds;
  project.showMapGrid = options.grid;
  project.showTileGrid = options.grid;
  if (options.tilesetId != 0) {
    if (engine.session().registry().find(options.tilesetId) == nullptr) {
      std::fprintf(stderr, "%s: the map has no tileset %d\n", kName, options.tilesetId);
      return false;
    }
    project.currentTilesetId = options.tilesetId;
  }
  if (!options.layer.empty()) {
    MapLayer* found = nullptr;
    for (const auto& layer : project.layers()) {
      if (layer->nameText() == options.layer) found = layer.get();
    }
    if (found == nullptr) {
      std::fprintf(stderr, "%s: the map has no layer named \"%s\"\n", kName, options.layer.c_str());
      return false;
    }
    project.setActiveLayer(found);
  }
  engine.resize(options.width, options.height);
  return true;
}

}  // namespace

int runRenderCommand(const std::vector<std::string>& args) {
  CliArguments arguments({"-o", "--view", "--size", "--zoom", "--scroll", "--tileset", "--layer"},
                         {"--grid", "--frame-mask", "--bounds", "--yes"});
  std::string error;
  if (!arguments.parse(args, error) || arguments.positional().size() != 1 || !arguments.value("-o")) {
    std::fprintf(stderr, "%s: %s\n", kName, error.empty() ? "expected one map file and -o OUT.png" : error.c_str());
    return kExitUsage;
  }
  RenderOptions options;
  if (!parseOptions(arguments, options, error)) {
    std::fprintf(stderr, "%s: %s\n", kName, error.c_str());
    return kExitUsage;
  }

  OffscreenContext context;
  if (!context.create(options.width, options.height, error)) {
    std::fprintf(stderr, "%s: %s\n", kName, error.c_str());
    return kExitFailed;
  }
  Renderer renderer;
  if (!renderer.setUp(builtinGlyphSet(), error)) std::fprintf(stderr, "%s: %s\n", kName, error.c_str());
  int result = kExitFailed;
  {
    CliServices services(arguments.has("--yes"));
    QtSettingsStore userSettings;
    ReadOnlySettings settings(userSettings);
    RenderTilesetHost host(renderer, builtinGlyphSet());
    MapViewEngine engine(services, settings, host);
    engine.loadViewOptions();
    const ViewColors colors = loadViewColors(settings);
    if (loadMap(engine.session(), arguments.positional()[0]) && applyView(engine, options)) {
      const std::vector<FlagIcon> flags = predefinedFlagIcons();
      FrameInput input;
      input.state = &engine.state();
      input.colors = &colors;
      input.flagIcons = flags;
      input.showCursor = false;
      renderer.paint(input);
      if (writePng(options.out, context.read(), error)) {
        std::printf("%s: %s view written to %s (%dx%d)\n", arguments.positional()[0].c_str(),
                    options.tileView ? "tile" : "map", options.out.c_str(), options.width, options.height);
        result = kExitOk;
      } else {
        std::fprintf(stderr, "%s: %s\n", kName, error.c_str());
      }
    }
  }
  renderer.tearDown();
  return result;
}

}  // namespace qarto

// The module's one exported function (see render_module_entry.h).
extern "C" __attribute__((visibility("default"))) int qarto_render_main(const std::vector<std::string>& args) {
  return qarto::runRenderCommand(args);
}
