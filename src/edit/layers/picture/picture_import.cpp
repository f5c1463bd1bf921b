#include "edit/layers/picture/picture_import.h"

#include <algorithm>

#include "edit/session/map_file_commands.h"
#include "edit/session/page_file.h"
#include "export/reduction/colour_conversion.h"
#include "io/files/chooser_folders.h"
#include "io/files/path_utils.h"
#include "io/picture/picture_reader.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/project/layer_amounts.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

constexpr int kMaxLayerTiles = 1024;
constexpr const char* kDefaultLayerName = "Picture";

void refuse(EditorSession& session, const std::string& text) {
  session.services().messageBox(text, caption(kPictureCaptionSuffix), MessageButtons::Ok, MessageIcon::Warning);
}

// The file title as a C name: other characters become "_", a leading digit
// gets one before it.
std::string layerNameFor(const PictureRequest& request) {
  if (!request.layerName.empty()) return request.layerName;
  std::string name = fileTitle(request.path);
  for (char& c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) c = '_';
  }
  if (name.empty()) return kDefaultLayerName;
  if (name[0] >= '0' && name[0] <= '9') name.insert(name.begin(), '_');
  return name;
}

// Reads and reduces the picture; a picture that does not fit may be tried
// again with its colours reduced when the user agrees.
// A picture smaller than `least` (in pixels) needs a blank tile for the rest.
bool reduce(EditorSession& session, const PictureRequest& request, std::pair<int, int> least, PicturePage& page) {
  DisplayImage picture;
  std::string message;
  if (!readPicture(request.path, picture, message)) {
    refuse(session, message);
    return false;
  }
  if (picture.width > kMaxLayerTiles * 8 || picture.height > kMaxLayerTiles * 8) {
    refuse(session, "The picture is " + std::to_string(picture.width) + "x" + std::to_string(picture.height) +
                        " pixels; a layer holds at most 8192x8192.");
    return false;
  }
  PictureOptions options;
  options.backdrop = request.backdrop;
  options.reduceColours = request.reduceColours;
  options.needBlankTile = picture.width < least.first || picture.height < least.second;
  {
    const BusyPointer busy(session.services());
    if (reducePicture(picture, options, page, message)) return true;
  }
  const std::size_t hint = message.find("\n\nChoose \"Reduce colours\"");
  if (!request.offerReduce || request.reduceColours || hint == std::string::npos) {
    refuse(session, message);
    return false;
  }
  const std::string question =
      message.substr(0, hint) + "\n\nReduce colours?  The closest colours are merged until the picture fits.";
  if (session.services().messageBox(question, caption(kPictureCaptionSuffix), MessageButtons::YesNo,
                                    MessageIcon::Warning) != MessageAnswer::Yes) {
    return false;
  }
  PictureRequest again = request;
  again.reduceColours = true;
  return reduce(session, again, least, page);
}

const Tileset* providePage(EditorSession& session, const PictureRequest& request, const PicturePage& page,
                           PictureImport& result) {
  const std::string& beside = session.project().filePath.empty() ? request.path : session.project().filePath;
  const std::string folder = request.pageFolder.empty() ? splitPath(beside).folder : request.pageFolder;
  const PageFile file = registerMadePage(session, page.page, folder, fileTitle(request.path), kPictureCaptionSuffix);
  result.pagePath = file.path;
  return file.page;
}

// The picture's cells into the layer from its top-left; the rest blank.
void fillLayer(MapLayer& layer, const PicturePage& page, const Tileset& tileset) {
  const PictureCell blank{static_cast<std::int16_t>(std::max(page.blankTile, 0)), page.blankPalette, 0};
  for (int y = 0; y < layer.height; ++y) {
    for (int x = 0; x < layer.width; ++x) {
      const bool inside = x < page.cellsWide && y < page.cellsHigh;
      const PictureCell& from = inside ? page.cells[std::size_t(y) * page.cellsWide + x] : blank;
      MapCell& cell = layer.cells[std::size_t(y) * layer.width + x];
      cell = MapCell{};
      cell.tile = from.tile;
      cell.tileset = static_cast<std::int8_t>(tileset.id);
      cell.palette = from.palette;
      cell.flags = from.flags;
    }
  }
}

void reportMerged(EditorSession& session, const PicturePage& page) {
  if (page.coloursMerged == 0) return;
  session.services().messageBox("Reduce colours merged " + std::to_string(page.coloursMerged) +
                                    " colours into their closest neighbours; the largest change of a colour "
                                    "channel is " +
                                    std::to_string(page.largestColourChange) + " of 31.",
                                caption(kPictureCaptionSuffix), MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace

PictureImport importPictureLayer(EditorSession& session, const PictureRequest& request) {
  PictureImport result;
  if (!reduce(session, request, {0, 0}, result.reduction)) return result;
  result.page = providePage(session, request, result.reduction, result);
  if (result.page == nullptr) return result;
  MapProject& project = session.project();
  project.modified = true;
  result.layer = project.addLayer(layerNameFor(request), result.reduction.cellsWide, result.reduction.cellsHigh, 1.0f,
                                  1.0f, LayerKind::Secondary, false);
  if (result.layer != nullptr) fillLayer(*result.layer, result.reduction, *result.page);
  return result;
}

PictureImport newMapFromPicture(EditorSession& session, const PictureRequest& request, const MapFileHooks& hooks) {
  PictureImport result;
  MapProject& project = session.project();
  const int screenX = screenTiles(project.screenWidth), screenY = screenTiles(project.screenHeight);
  if (!reduce(session, request, {screenX * 8, screenY * 8}, result.reduction)) return result;
  if (!confirmDiscard(session, hooks)) return result;
  project.resetProject(false);
  const PicturePage& page = result.reduction;
  result.layer = project.addLayer(layerNameFor(request), std::max(page.cellsWide, screenX),
                                  std::max(page.cellsHigh, screenY), 1.0f, 1.0f, LayerKind::Primary, false);
  if (result.layer == nullptr) return result;
  result.page = providePage(session, request, page, result);
  if (result.page != nullptr) fillLayer(*result.layer, page, *result.page);
  project.journal().clear();
  project.modified = true;
  if (hooks.setWindowTitle) hooks.setWindowTitle(caption(" - New Map"));
  return result;
}

void runPictureImport(EditorSession& session, bool newMap, const std::function<bool(PictureRequest&)>& askOptions,
                      const MapFileHooks& hooks) {
  FileChooserRequest chooser;
  chooser.title = newMap ? "New Map from Picture" : "Import Picture as Layer";
  chooser.filter = kPictureFilter;
  chooser.defaultExtension = ".png";
  chooser.initialFolder = tilesetDialogFolder(session.settings());
  const std::vector<std::string> paths = session.services().chooseOpenFiles(chooser);
  if (paths.empty()) return;
  rememberTilesetFolder(session.settings(), paths.front());
  PictureRequest request;
  request.path = paths.front();
  request.offerReduce = true;
  if (!askOptions(request)) return;
  const PictureImport done = newMap ? newMapFromPicture(session, request, hooks) : importPictureLayer(session, request);
  if (done.layer != nullptr && done.page != nullptr) reportMerged(session, done.reduction);
}

std::optional<PictureColour> parseBackdrop(const std::string& text) {
  std::string digits = text;
  if (!digits.empty() && digits[0] == '#') digits.erase(0, 1);
  if (digits.size() != 6 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    return std::nullopt;
  }
  const unsigned long rgb = std::stoul(digits, nullptr, 16);
  return ConvertColour(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                       static_cast<std::uint8_t>(rgb), 0, 0);
}

}  // namespace qarto
