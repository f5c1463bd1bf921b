#include "export/tileset_validation.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>

#include "io/files/chooser_folders.h"
#include "io/files/file_bytes.h"
#include "io/images/bmp_codec.h"
#include "io/images/tile_page_reader.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/settings/number_text.h"
#include "model/settings/settings_store.h"
#include "model/tileset/tileset.h"

namespace qarto {

namespace {

constexpr int kMinThreshold = 1;
constexpr int kMaxThreshold = 63;

constexpr const char* kNoErrorTypesMessage = "You have not specified any error types to check for.";
constexpr const char* kThresholdMessage = "Please enter a pixel count threshold.";
constexpr const char* kEmptyPathMessage = "Please enter a valid path to a tileset.";
constexpr const char* kMissingFileMessage = "The requested tileset does not exist.";
constexpr const char* kPageAllocationMessage = "Textures allocation failed.\n\nThe validation process will abort.";

std::string format(const char* pattern, const std::string& text) {
  const int size = std::snprintf(nullptr, 0, pattern, text.c_str());
  std::string out(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(out.data(), out.size(), pattern, text.c_str());
  out.resize(static_cast<std::size_t>(size));
  return out;
}

std::string format(const char* pattern, int first, int second = 0) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, pattern, first, second);
  return buffer;
}

// The threshold edit's value; nullopt for anything but a whole number in
// 1..63.
std::optional<int> parseThreshold(const std::string& text) {
  const std::optional<int> value = parseIntegerText(text);
  if (!value || *value < kMinThreshold || *value > kMaxThreshold) return std::nullopt;
  return value;
}

// Why a run cannot start: the options, the path or the page itself.
struct PageLoad {
  std::unique_ptr<Tileset> page;
  std::string message;
  bool readerFailed = false;  // message is the reader's, shown as a load error
};

PageLoad loadPage(const std::string& path) {
  PageLoad load;
  if (path.empty()) {
    load.message = kEmptyPathMessage;
    return load;
  }
  if (!canOpenForReading(path)) {
    load.message = kMissingFileMessage;
    return load;
  }
  try {
    load.page = std::make_unique<Tileset>();
  } catch (const std::bad_alloc&) {
    load.message = kPageAllocationMessage;
    return load;
  }
  load.page->sourcePath = path;
  DisplayImage display;  // not shown; released with this scope
  if (!readTilePage(*load.page, display, load.message)) {
    load.page.reset();
    load.readerFailed = true;
  }
  return load;
}

std::optional<std::string> optionsProblem(const ValidationOptions& options) {
  if (!options.checkInvalid16 && !options.checkSparse) return kNoErrorTypesMessage;
  if (options.checkSparse && (options.threshold < kMinThreshold || options.threshold > kMaxThreshold)) {
    return kThresholdMessage;
  }
  return std::nullopt;
}

}  // namespace

ValidationCounts scanTilePage(Tileset& page, int threshold, bool blankFaultless) {
  ValidationCounts counts;
  for (int tile = 0; tile < page.tileCount; ++tile) {
    TilePixels pixels;
    if (!readTile(page, tile, false, false, pixels)) continue;
    bool faulty = false;

    // Every index, transparent ones included, must lie in the first pixel's row.
    const std::uint8_t row = pixels[0] & 0xF0;
    for (std::uint8_t p : pixels) {
      if ((p & 0xF0) != row) {
        ++counts.invalidTiles;
        counts.invalidNumbers.push_back(tile);
        faulty = true;
        break;
      }
    }

    int opaque = 0;
    for (std::uint8_t p : pixels) opaque += (p & 0x0F) != 0 ? 1 : 0;
    if (opaque >= 1 && opaque <= threshold) {
      ++counts.sparseTiles;
      counts.sparseNumbers.push_back(tile);
      faulty = true;
    }

    if (blankFaultless && !faulty) {
      std::uint8_t* top = page.pixels.data() + tilePixelOffset(page, tile);
      for (int y = 0; y < kTileSide; ++y) {
        std::fill_n(top + static_cast<std::size_t>(y) * page.imageWidth, kTileSide, std::uint8_t{0});
      }
    }
  }
  return counts;
}

bool hasRequestedErrors(const ValidationOptions& options, const ValidationCounts& counts) {
  return (options.checkInvalid16 && counts.invalidTiles > 0) || (options.checkSparse && counts.sparseTiles > 0);
}

std::string validationSuccessText(const std::string& path) {
  return format("Tileset <%s> does not contain any errors of the type you requested.", path);
}

std::string validationReportText(const std::string& path, const ValidationOptions& options,
                                 const ValidationCounts& counts) {
  std::string text = format("Tileset: <%s>\n\n", path);
  if (options.checkInvalid16) {
    text += format("Contains %i tiles that are not valid 16 colour tiles.\n\n", counts.invalidTiles);
  }
  if (options.checkSparse) {
    text += format("Contains %i tiles that have %i or fewer non-transparent pixels.\n", counts.sparseTiles,
                   options.threshold);
    // Pixel counts treat colour 0 of the tile's own row as transparent, which
    // means little for a tile that mixes rows.
    if (counts.invalidTiles > 0) {
      text += "* Since invalid 16 colour tiles were detected, the checks for pixel counts may not be at all accurate.";
    }
  }
  return text;
}

ValidationRun validateTilesetFile(const std::string& path, const ValidationOptions& options,
                                  const std::optional<std::string>& imagePath) {
  ValidationRun run;
  if (auto problem = optionsProblem(options)) {
    run.message = *problem;
    return run;
  }
  PageLoad load = loadPage(path);
  if (!load.page) {
    run.message = load.message;
    return run;
  }
  const int threshold = options.checkSparse ? options.threshold : kMinThreshold;
  const ValidationCounts counts = scanTilePage(*load.page, threshold, imagePath.has_value());
  run.errorsFound = hasRequestedErrors(options, counts);
  run.report = run.errorsFound ? validationReportText(path, options, counts) : validationSuccessText(path);
  if (run.errorsFound && imagePath && !writeIndexedBmp(*imagePath, *load.page, 256, run.message)) return run;
  run.ok = true;
  return run;
}

ValidationOutcome validateTileset(PlatformServices& services, SettingsStore& settings,
                                  const ValidateTilesetRequest& request, std::vector<int>* faultyTiles) {
  if (faultyTiles != nullptr) faultyTiles->clear();
  auto refuse = [&](const std::string& text) {
    services.messageBox(text, caption(), MessageButtons::Ok, MessageIcon::Warning);
    return ValidationOutcome::Refused;
  };

  ValidationOptions options;
  options.checkInvalid16 = request.checkInvalid16;
  options.checkSparse = request.checkSparse;
  if (!options.checkInvalid16 && !options.checkSparse) return refuse(kNoErrorTypesMessage);
  if (options.checkSparse) {
    const std::optional<int> threshold = parseThreshold(request.thresholdText);
    if (!threshold) return refuse(kThresholdMessage);
    options.threshold = *threshold;
  }

  PageLoad load = loadPage(request.path);
  if (!load.page) {
    if (!load.readerFailed) return refuse(load.message);
    services.messageBox(load.message, caption(" - Tile Load Error"), MessageButtons::Ok, MessageIcon::Warning);
    return ValidationOutcome::LoadFailed;
  }

  const ValidationCounts counts = scanTilePage(*load.page, options.threshold, request.outputImage);
  if (faultyTiles != nullptr) {
    if (options.checkInvalid16) *faultyTiles = counts.invalidNumbers;
    if (options.checkSparse) {
      faultyTiles->insert(faultyTiles->end(), counts.sparseNumbers.begin(), counts.sparseNumbers.end());
    }
    std::sort(faultyTiles->begin(), faultyTiles->end());
    faultyTiles->erase(std::unique(faultyTiles->begin(), faultyTiles->end()), faultyTiles->end());
  }
  if (!hasRequestedErrors(options, counts)) {
    services.messageBox(validationSuccessText(request.path), caption(" - Validation Success"), MessageButtons::Ok,
                        MessageIcon::Information);
    return ValidationOutcome::NoErrors;
  }
  if (!request.outputImage) {
    services.messageBox(validationReportText(request.path, options, counts), caption(" - Error Report"),
                        MessageButtons::Ok, MessageIcon::Warning);
    return ValidationOutcome::Reported;
  }

  FileChooserRequest chooser;
  chooser.title = "Export Invalid Tileset";
  chooser.filter = kImageFilesFilter;
  chooser.defaultExtension = kBmpExtension;
  chooser.initialFolder = tilesetDialogFolder(settings);
  const std::optional<std::string> output = services.chooseSaveFile(chooser);
  if (!output) return ValidationOutcome::ImageCancelled;
  std::string message;
  if (!writeIndexedBmp(*output, *load.page, 256, message)) {
    services.messageBox(message, caption(), MessageButtons::Ok, MessageIcon::Warning);
    return ValidationOutcome::ImageFailed;
  }
  services.messageBox("The image has been exported.", caption(), MessageButtons::Ok, MessageIcon::Information);
  return ValidationOutcome::ImageWritten;
}

std::optional<std::string> chooseTilesetToValidate(PlatformServices& services, SettingsStore& settings) {
  FileChooserRequest chooser;
  chooser.title = "Validate Tileset";
  chooser.filter = kTilesetFilter;
  chooser.defaultExtension = kBmpExtension;
  chooser.initialFolder = tilesetDialogFolder(settings);
  std::vector<std::string> chosen = services.chooseOpenFiles(chooser);
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

}  // namespace qarto
