// Random bytes as an export definition file (.qrd), read as "Import Def."
// reads it. A file that loads must write back to bytes that load to the
// same definition, and the pages of Customize Export must take it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/definition/customize_export.h"
#include "export/definition/definition_file.h"
#include "fuzz_check.h"
#include "model/recording_services.h"
#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static qarto::fuzz::ScratchFile scratch("definition.qrd");
  const std::vector<std::uint8_t> bytes(data, data + size);
  const qarto::DefinitionReadResult read = qarto::decodeDefinitionFile(bytes);

  const std::string& path = scratch.write(data, size);
  const qarto::DefinitionReadResult fromFile = qarto::ReadDefinitionFile(path);
  FUZZ_CHECK(fromFile.status == read.status || (size == 0 && fromFile.status == qarto::DefinitionReadStatus::Damaged));

  // The dialog's import: refused files leave the pages exactly as they were.
  qarto::RecordingServices services;
  qarto::CustomizeExportPages pages;
  pages.file1Name = "before";
  const bool loaded = qarto::importDefinitionFile(services, pages, path);
  FUZZ_CHECK(loaded == (fromFile.status == qarto::DefinitionReadStatus::Ok));
  if (!loaded) {
    FUZZ_CHECK(pages.file1Name == "before");
    return 0;
  }
  FUZZ_CHECK(services.messages.empty());

  const qarto::ExportDefinition& definition = read.definition;
  for (const qarto::FileSection& section : definition.files) {
    FUZZ_CHECK(section.externState >= 0 && section.externState <= 2);
    FUZZ_CHECK(section.fileName.size() <= qarto::kDefinitionTextCap);
  }
  const qarto::DefinitionReadResult again = qarto::decodeDefinitionFile(qarto::encodeDefinitionFile(definition));
  FUZZ_CHECK(again.status == qarto::DefinitionReadStatus::Ok);
  FUZZ_CHECK(again.hasAutoPad);
  if (read.hasAutoPad) {
    FUZZ_CHECK(again.definition == definition);
  } else {
    qarto::ExportDefinition withPad = definition;
    withPad.autoPadPalettes = again.definition.autoPadPalettes;
    FUZZ_CHECK(again.definition == withPad);
  }
  // What the pages show writes a file that loads again.
  const std::vector<std::uint8_t> fromPages = qarto::encodeDefinitionFile(qarto::definitionFromPages(pages));
  FUZZ_CHECK(qarto::decodeDefinitionFile(fromPages).status == qarto::DefinitionReadStatus::Ok);
  return 0;
}
