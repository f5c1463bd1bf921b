// Writes starting inputs for definition_file_fuzzer into the folder argv[1]:
// the built-in definition, a customised one, a "def V1.0" file and one with
// a text at the length cap.
#include <string>
#include <vector>

#include "export/definition/definition_file.h"
#include "seed_files.h"

namespace {

// The bytes of a "def V1.0" file: the V2.0 layout without the Auto-Pad item.
std::vector<std::uint8_t> version1(const qarto::ExportDefinition& definition) {
  std::vector<std::uint8_t> bytes = qarto::encodeDefinitionFile(definition);
  bytes[9] = '1';                                       // "def V2.0" -> "def V1.0"
  bytes.erase(bytes.begin() + 13, bytes.begin() + 17);  // the Auto-Pad switch
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qarto::seeds;
  return seedMain(argc, argv, [](const std::string& folder) {
    const qarto::ExportDefinition builtIn = qarto::defaultExportDefinition();
    qarto::ExportDefinition custom = builtIn;
    custom.autoPadPalettes = false;
    custom.file(qarto::ExportFile::Map).fileName = "%mapName%/map_%numAutoGen%.c";
    custom.file(qarto::ExportFile::Map).externState = 2;
    custom.file(qarto::ExportFile::Tiles).includes = "#include \"gba.h\"\r\n";
    custom.file(qarto::ExportFile::Collision).externState = 0;
    custom.numAutoGen = 41;
    qarto::ExportDefinition capped = builtIn;
    capped.file1Includes = std::string(9000, 'x');
    return writeSeed(folder, "default.qrd", qarto::encodeDefinitionFile(builtIn)) &&
           writeSeed(folder, "custom.qrd", qarto::encodeDefinitionFile(custom)) &&
           writeSeed(folder, "version1.qrd", version1(custom)) &&
           writeSeed(folder, "capped.qrd", qarto::encodeDefinitionFile(capped));
  });
}
