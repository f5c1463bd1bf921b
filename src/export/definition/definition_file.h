#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/definition/export_definition.h"

namespace qarto {

// Export definition files (.qrd): little-endian items, each text a u32
// length (text + terminating zero, at most 8192) followed by its bytes.
inline constexpr const char* kDefinitionVersion1 = "def V1.0";
inline constexpr const char* kDefinitionVersion2 = "def V2.0";
inline constexpr std::uint32_t kDefinitionTextCap = 8192;

enum class DefinitionReadStatus {
  Ok,
  CannotOpen,      // missing or unreadable: nothing happens
  InvalidVersion,  // "Invalid version"
  Damaged,         // ends early, over-long text or an unknown extern state
};

struct DefinitionReadResult {
  DefinitionReadStatus status = DefinitionReadStatus::CannotOpen;
  ExportDefinition definition;
  // "def V1.0" files carry no Auto-Pad switch; the pages keep theirs.
  bool hasAutoPad = false;
};

inline constexpr const char* kInvalidDefinitionVersionText = "Invalid version";
inline constexpr const char* kDamagedDefinitionText =
    "The export definition file is damaged or truncated and was not loaded.";
inline constexpr const char* kDefinitionWriteFailedText = "The export definition file could not be written:\n\n";

// The bytes of a "def V2.0" file. Texts longer than 8191 bytes keep their
// first 8192 bytes and lose the terminating zero.
std::vector<std::uint8_t> encodeDefinitionFile(const ExportDefinition& definition);
// Reads "def V1.0" and "def V2.0" bytes. Anything short of a complete file
// is refused whole.
DefinitionReadResult decodeDefinitionFile(const std::vector<std::uint8_t>& bytes);

// Written atomically: the old file stays intact when writing fails.
bool WriteDefinitionFile(const std::string& path, const ExportDefinition& definition);
DefinitionReadResult ReadDefinitionFile(const std::string& path);

}  // namespace qarto
