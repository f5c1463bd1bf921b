#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qarto {

class PlatformServices;
class SettingsStore;
struct Tileset;

// Which faults a validation run looks for.
struct ValidationOptions {
  bool checkInvalid16 = true;  // "Invalid 16 colour tile"
  bool checkSparse = false;    // "Tile contains ... less non-transparent pixels"
  int threshold = 1;           // 1..63; the sparse limit (inclusive)
};

struct ValidationCounts {
  int invalidTiles = 0;  // tiles mixing palette rows
  int sparseTiles = 0;   // tiles with 1..threshold non-transparent pixels
  std::vector<int> invalidNumbers;  // their tile numbers, in order
  std::vector<int> sparseNumbers;
};

// Runs both tests over every tile of the page. With blankFaultless, every
// tile that fails neither test is cleared to index 0, leaving an image of the
// faulty tiles only.
ValidationCounts scanTilePage(Tileset& page, int threshold, bool blankFaultless);

// Whether the counts hold errors of the kinds the options ask about.
bool hasRequestedErrors(const ValidationOptions& options, const ValidationCounts& counts);

// "Tileset <path> does not contain any errors of the type you requested."
std::string validationSuccessText(const std::string& path);
// The text of the error report.
std::string validationReportText(const std::string& path, const ValidationOptions& options,
                                 const ValidationCounts& counts);

// A headless run, for tools: validates the page at `path` and, when errors
// were found and imagePath is given, writes the image of the faulty tiles
// there. `ok` is false when the run could not be done (bad options,
// unreadable page, image not written); `message` says why.
struct ValidationRun {
  bool ok = false;
  bool errorsFound = false;
  std::string report;   // the success text or the error report
  std::string message;  // why the run failed
};
ValidationRun validateTilesetFile(const std::string& path, const ValidationOptions& options,
                                  const std::optional<std::string>& imagePath = std::nullopt);

// What the Validate Tileset dialog hands over when "Validate" is pressed.
struct ValidateTilesetRequest {
  std::string path;
  bool checkInvalid16 = true;
  bool checkSparse = false;
  std::string thresholdText = "1";  // the edit beside "Tile contains"
  bool outputImage = false;         // "Output image" instead of the text report
};

enum class ValidationOutcome {
  Refused,        // options or path refused with a message
  LoadFailed,     // the page could not be read (reader's message shown)
  NoErrors,       // success message shown
  Reported,       // error report shown
  ImageCancelled, // output chooser cancelled
  ImageWritten,
  ImageFailed,    // writer's message shown
};

// The "Validate" button: one run with its messages and choosers.
// `faultyTiles`, when given, receives the numbers of the tiles with the
// errors asked for (in order), to be marked on a loaded copy of the page.
ValidationOutcome validateTileset(PlatformServices& services, SettingsStore& settings,
                                  const ValidateTilesetRequest& request, std::vector<int>* faultyTiles = nullptr);

// The "..." button: the chooser of the page to validate.
std::optional<std::string> chooseTilesetToValidate(PlatformServices& services, SettingsStore& settings);

}  // namespace qarto
