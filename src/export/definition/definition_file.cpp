#include "export/definition/definition_file.h"

#include <algorithm>
#include <optional>

#include "io/files/atomic_file.h"
#include "io/files/file_bytes.h"

namespace qarto {

namespace {

// Twenty-two texts of at most 8196 bytes and five numbers fit well below this.
constexpr std::size_t kMaxDefinitionFileBytes = std::size_t{1} << 20;

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putText(std::vector<std::uint8_t>& out, const std::string& text) {
  if (text.size() + 1 > kDefinitionTextCap) {
    putU32(out, kDefinitionTextCap);
    out.insert(out.end(), text.begin(), text.begin() + kDefinitionTextCap);
    return;
  }
  putU32(out, static_cast<std::uint32_t>(text.size() + 1));
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

// Walks the items of a file; every read fails once the bytes run out.
class ItemReader {
 public:
  explicit ItemReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  std::optional<std::uint32_t> u32() {
    if (bytes_.size() - pos_ < 4) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes_[pos_ + i]) << (8 * i);
    pos_ += 4;
    return value;
  }

  // A text item; its text ends at the first zero byte. Over-long items are
  // refused rather than read in part, so the next item is never misread.
  std::optional<std::string> text() {
    const std::optional<std::uint32_t> length = u32();
    if (!length || *length > kDefinitionTextCap || bytes_.size() - pos_ < *length) return std::nullopt;
    const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(pos_);
    const auto end = begin + static_cast<std::ptrdiff_t>(*length);
    pos_ += *length;
    return std::string(begin, std::find(begin, end, std::uint8_t{0}));
  }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t pos_ = 0;
};

bool readSection(ItemReader& reader, FileSection& section) {
  const auto fileName = reader.text();
  const auto includes = reader.text();
  const auto format = fileName && includes ? reader.text() : std::nullopt;
  const auto externState = format ? reader.u32() : std::nullopt;
  const auto externFormat = externState ? reader.text() : std::nullopt;
  // Only 0, 1 and 2 have a radio button; anything else is a damaged file.
  if (!externFormat || *externState > 2) return false;
  section.fileName = *fileName;
  section.includes = *includes;
  section.format = *format;
  section.externState = static_cast<int>(*externState);
  section.externFormat = *externFormat;
  return true;
}

DefinitionReadResult damaged() {
  DefinitionReadResult result;
  result.status = DefinitionReadStatus::Damaged;
  return result;
}

}  // namespace

std::vector<std::uint8_t> encodeDefinitionFile(const ExportDefinition& definition) {
  std::vector<std::uint8_t> out;
  putText(out, kDefinitionVersion2);
  putU32(out, definition.autoPadPalettes ? 1 : 0);
  for (const FileSection& section : definition.files) {
    putText(out, section.fileName);
    putText(out, section.includes);
    putText(out, section.format);
    putU32(out, static_cast<std::uint32_t>(section.externState));
    putText(out, section.externFormat);
  }
  putText(out, definition.file1Name);
  putText(out, definition.file1Includes);
  putText(out, definition.file2Name);
  putText(out, definition.file2Includes);
  putU32(out, static_cast<std::uint32_t>(definition.numAutoGen));
  return out;
}

DefinitionReadResult decodeDefinitionFile(const std::vector<std::uint8_t>& bytes) {
  ItemReader reader(bytes);
  const std::optional<std::string> version = reader.text();
  if (!version) return damaged();

  DefinitionReadResult result;
  if (*version == kDefinitionVersion2) {
    const std::optional<std::uint32_t> autoPad = reader.u32();
    if (!autoPad) return damaged();
    result.definition.autoPadPalettes = *autoPad != 0;
    result.hasAutoPad = true;
  } else if (*version != kDefinitionVersion1) {
    result.status = DefinitionReadStatus::InvalidVersion;
    return result;
  }

  ExportDefinition& definition = result.definition;
  for (FileSection& section : definition.files) {
    if (!readSection(reader, section)) return damaged();
  }
  const auto file1Name = reader.text();
  const auto file1Includes = file1Name ? reader.text() : std::nullopt;
  const auto file2Name = file1Includes ? reader.text() : std::nullopt;
  const auto file2Includes = file2Name ? reader.text() : std::nullopt;
  const auto numAutoGen = file2Includes ? reader.u32() : std::nullopt;
  if (!numAutoGen) return damaged();
  definition.file1Name = *file1Name;
  definition.file1Includes = *file1Includes;
  definition.file2Name = *file2Name;
  definition.file2Includes = *file2Includes;
  // The counter is shown as the unsigned number the file holds.
  definition.numAutoGen = static_cast<int>(*numAutoGen);
  result.status = DefinitionReadStatus::Ok;
  return result;
}

bool WriteDefinitionFile(const std::string& path, const ExportDefinition& definition) {
  const std::vector<std::uint8_t> bytes = encodeDefinitionFile(definition);
  return writeFileAtomically(path, bytes.data(), bytes.size());
}

DefinitionReadResult ReadDefinitionFile(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  switch (readFileBytes(path, bytes, kMaxDefinitionFileBytes)) {
    case ReadStatus::Ok: return decodeDefinitionFile(bytes);
    case ReadStatus::Empty: return damaged();
    case ReadStatus::TooLarge: return damaged();
    case ReadStatus::NotFound: break;
  }
  return DefinitionReadResult{};
}

}  // namespace qarto
