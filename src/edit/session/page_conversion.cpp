#include "edit/session/page_conversion.h"

#include "edit/session/page_file.h"
#include "export/picture/picture_page.h"
#include "export/tileset_validation.h"
#include "io/files/path_utils.h"
#include "io/picture/picture_reader.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

// The converted page is loaded through the same path; it never needs
// converting again, and this keeps a damaged file from asking forever.
bool converting = false;

}  // namespace

PageConversion offerPageConversion(EditorSession& session, const std::string& path, const std::string& readFailure,
                                   Tileset* readPage) {
  PageConversion result;
  if (converting) return result;
  DisplayImage picture;
  std::string message;
  std::string reason;
  if (readPage == nullptr) {
    if (!readPicture(path, picture, message) || picture.width % 8 != 0 || picture.height % 8 != 0) return result;
    reason = readFailure;
  } else {
    const int mixing = scanTilePage(*readPage, 1, false).invalidTiles;
    if (mixing == 0) return result;
    reason = std::to_string(mixing) + (mixing == 1 ? " tile mixes" : " tiles mix") + " 16-colour palette rows.";
    picture = indexedToRgba(*readPage);
  }
  result.offered = true;
  PlatformServices& services = session.services();
  const std::string question = reason + "\n\nConvert <" + path +
                               "> into a tile page of 16-colour rows?  The tiles keep their order; the colours are "
                               "packed into palette banks and the page is saved beside the picture.";
  if (services.messageBox(question, caption(kConvertPageCaptionSuffix), MessageButtons::YesNo, MessageIcon::Question) !=
      MessageAnswer::Yes) {
    return result;
  }
  PictureOptions options;
  options.mergeTiles = false;
  PicturePage page;
  {
    const BusyPointer busy(services);
    if (!reducePicture(picture, options, page, message)) {
      services.messageBox(message, caption(kConvertPageCaptionSuffix), MessageButtons::Ok, MessageIcon::Warning);
      return result;
    }
  }
  converting = true;
  const PageFile file =
      registerMadePage(session, page.page, splitPath(path).folder, fileTitle(path), kConvertPageCaptionSuffix);
  converting = false;
  result.page = file.page;
  return result;
}

}  // namespace qarto
