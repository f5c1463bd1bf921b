#include "edit/dialogs/import_source_model.h"

#include "io/source_array_scan.h"
#include "model/app_title.h"

namespace qarto {

namespace {

constexpr const char* kNoFile = "Specify a file first";
constexpr const char* kNotFound = "File not found";

void tell(PlatformServices& services, const std::string& text) {
  services.messageBox(text, caption(), MessageButtons::Ok, MessageIcon::None);
}

}  // namespace

FileChooserRequest sourceFileChooser() {
  FileChooserRequest request;
  request.title = "Load Header";
  request.filter = kSourceFileFilter;
  request.defaultExtension = ".h";
  return request;
}

std::optional<std::string> chooseSourceFile(PlatformServices& services) {
  const std::vector<std::string> chosen = services.chooseOpenFiles(sourceFileChooser());
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

std::optional<std::vector<std::string>> scanSourceArrays(PlatformServices& services, const std::string& path) {
  if (path.empty()) {
    tell(services, kNoFile);
    return std::nullopt;
  }
  SourceScanResult result = scanSourceFile(path);
  switch (result.status) {
    case SourceScanStatus::NotFound: tell(services, kNotFound); return std::nullopt;
    case SourceScanStatus::Empty: tell(services, "File <" + path + "> is empty!"); return std::nullopt;
    case SourceScanStatus::Ok: break;
  }
  return std::move(result.names);
}

}  // namespace qarto
