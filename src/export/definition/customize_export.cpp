#include "export/definition/customize_export.h"

#include <optional>
#include <utility>

#include "export/definition/definition_file.h"
#include "model/app_title.h"
#include "model/platform_services.h"
#include "model/settings/number_text.h"

namespace qarto {

namespace {

constexpr int kMaxNumAutoGen = 9999;

// The texts the pages share with the definition, one table for both ways.
constexpr std::pair<std::string ExportFilePage::*, std::string FileSection::*> kFileTexts[] = {
    {&ExportFilePage::fileName, &FileSection::fileName},
    {&ExportFilePage::includes, &FileSection::includes},
    {&ExportFilePage::format, &FileSection::format},
    {&ExportFilePage::externFormat, &FileSection::externFormat},
};
constexpr std::pair<std::string CustomizeExportPages::*, std::string ExportDefinition::*> kSharedTexts[] = {
    {&CustomizeExportPages::file1Name, &ExportDefinition::file1Name},
    {&CustomizeExportPages::file1Includes, &ExportDefinition::file1Includes},
    {&CustomizeExportPages::file2Name, &ExportDefinition::file2Name},
    {&CustomizeExportPages::file2Includes, &ExportDefinition::file2Includes},
};

FileChooserRequest definitionChooser(const char* title, const std::string& programDirectory) {
  FileChooserRequest request;
  request.title = title;
  request.filter = kDefinitionFileFilter;
  request.defaultExtension = kDefinitionFileExtension;
  request.initialFolder = programDirectory;
  return request;
}

}  // namespace

int parseNumAutoGen(const std::string& text) {
  const std::optional<int> value = parseIntegerText(text);
  return value && *value >= 0 && *value <= kMaxNumAutoGen ? *value : 0;
}

void loadPages(CustomizeExportPages& pages, const ExportDefinition& definition) {
  for (int i = 0; i < kExportFileCount; ++i) {
    const auto which = static_cast<ExportFile>(i);
    const FileSection& section = definition.file(which);
    ExportFilePage& page = pages.file(which);
    for (const auto& [onPage, inSection] : kFileTexts) page.*onPage = section.*inSection;
    page.externState = section.externState;
  }
  for (const auto& [onPages, inDefinition] : kSharedTexts) pages.*onPages = definition.*inDefinition;
  pages.autoPadPalettes = definition.autoPadPalettes;
  pages.numAutoGen = std::to_string(definition.numAutoGen);
}

ExportDefinition definitionFromPages(const CustomizeExportPages& pages) {
  ExportDefinition definition;
  for (int i = 0; i < kExportFileCount; ++i) {
    const auto which = static_cast<ExportFile>(i);
    const ExportFilePage& page = pages.file(which);
    FileSection& section = definition.file(which);
    for (const auto& [onPage, inSection] : kFileTexts) section.*inSection = page.*onPage;
    section.externState = page.externState == 0 || page.externState == 1 ? page.externState : 2;
  }
  for (const auto& [onPages, inDefinition] : kSharedTexts) definition.*inDefinition = pages.*onPages;
  definition.autoPadPalettes = pages.autoPadPalettes;
  definition.numAutoGen = parseNumAutoGen(pages.numAutoGen);
  return definition;
}

CustomizeExportPages openCustomizeExport(SettingsStore& settings) {
  CustomizeExportPages pages;
  loadPages(pages, LoadExportDefinition(settings));
  return pages;
}

void acceptCustomizeExport(SettingsStore& settings, const CustomizeExportPages& pages) {
  StoreExportDefinition(settings, definitionFromPages(pages));
}

bool exportDefinitionFromPages(PlatformServices& services, const CustomizeExportPages& pages,
                               const std::string& programDirectory) {
  const std::optional<std::string> path =
      services.chooseSaveFile(definitionChooser(kSaveDefinitionTitle, programDirectory));
  if (!path) return false;
  if (!WriteDefinitionFile(*path, definitionFromPages(pages))) {
    // A definition the user believes saved must not vanish without a word.
    services.messageBox(std::string(kDefinitionWriteFailedText) + *path, caption(), MessageButtons::Ok,
                        MessageIcon::Warning);
    return false;
  }
  return true;
}

bool importDefinitionIntoPages(PlatformServices& services, CustomizeExportPages& pages,
                               const std::string& programDirectory) {
  const std::vector<std::string> paths =
      services.chooseOpenFiles(definitionChooser(kLoadDefinitionTitle, programDirectory));
  if (paths.empty()) return false;
  return importDefinitionFile(services, pages, paths.front());
}

bool importDefinitionFile(PlatformServices& services, CustomizeExportPages& pages, const std::string& path) {
  const DefinitionReadResult result = ReadDefinitionFile(path);
  switch (result.status) {
    case DefinitionReadStatus::CannotOpen:
      return false;
    case DefinitionReadStatus::InvalidVersion:
      services.messageBox(kInvalidDefinitionVersionText, kAppTitle, MessageButtons::Ok, MessageIcon::None);
      return false;
    case DefinitionReadStatus::Damaged:
      services.messageBox(kDamagedDefinitionText, kAppTitle, MessageButtons::Ok, MessageIcon::Warning);
      return false;
    case DefinitionReadStatus::Ok:
      break;
  }
  const bool autoPad = pages.autoPadPalettes;
  loadPages(pages, result.definition);
  if (!result.hasAutoPad) pages.autoPadPalettes = autoPad;
  // The counter of a file is shown as the unsigned number it holds.
  pages.numAutoGen = std::to_string(static_cast<std::uint32_t>(result.definition.numAutoGen));
  return true;
}

}  // namespace qarto
