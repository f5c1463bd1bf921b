#include "edit/entities/entity_catalogue_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "io/files/file_bytes.h"
#include "io/files/path_utils.h"
#include "io/images/bmp_codec.h"
#include "io/images/display_image.h"

namespace qarto {

namespace {

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

// "\n" breaks the line, "\\" is a backslash; any other backslash stays.
std::string unescaped(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == 'n' || value[i + 1] == '\\')) {
      out += value[++i] == 'n' ? "\r\n" : "\\";
    } else {
      out += value[i];
    }
  }
  return out;
}

bool absolutePath(const std::string& path) {
  return !path.empty() && (path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'));
}

// The section being read: one row and where its parts were given.
struct Section {
  EntityType row;
  int line = 0;
  bool named = false;
  std::string spritePath;
  int spriteLine = 0;
};

class CatalogueParser {
 public:
  CatalogueParser(const std::string& path, const SpriteReader& readSprite) : path_(path), readSprite_(readSprite) {}

  CatalogueReadResult parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 mark
    int number = 0;
    for (std::size_t start = 0; start <= text.size();) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      if (!readLine(trimmed(text.substr(start, end - start)), ++number)) return result_;
      start = end + 1;
    }
    if (section_ && !finishSection()) return result_;
    result_.ok = true;
    return result_;
  }

 private:
  bool fault(int line, const std::string& problem) {
    result_.ok = false;
    result_.rows.clear();
    result_.message =
        "The entity catalogue \"" + path_ + "\" has a fault on line " + std::to_string(line) + ": " + problem;
    return false;
  }

  bool readLine(std::string_view line, int number) {
    for (const char c : line) {
      if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return fault(number, "it holds a control character.");
    }
    if (line.empty() || line[0] == ';' || line[0] == '#') return true;
    if (line[0] == '[') return startSection(line, number);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      return fault(number,
                   "\"" + std::string(line) + "\" is neither a [type] section, a Key = Value line nor a comment.");
    }
    const std::string key = lower(trimmed(line.substr(0, equals)));
    const std::string_view value = trimmed(line.substr(equals + 1));
    if (!section_) return fault(number, "\"" + std::string(line) + "\" comes before the first [type] section.");
    return readValue(key, value, number);
  }

  bool startSection(std::string_view line, int number) {
    if (section_ && !finishSection()) return false;
    const std::string_view inside = line.back() == ']' ? trimmed(line.substr(1, line.size() - 2)) : std::string_view();
    int type = -1;
    const auto [end, error] = std::from_chars(inside.data(), inside.data() + inside.size(), type);
    if (inside.empty() || error != std::errc() || end != inside.data() + inside.size() || type < 0 || type > 65535) {
      return fault(number, "a section names a type number from 0 to 65535, as in [12].");
    }
    for (const auto& [seenType, seenLine] : typesSeen_) {
      if (seenType == type) {
        return fault(
            number, "type " + std::to_string(type) + " is already described on line " + std::to_string(seenLine) + ".");
      }
    }
    if (static_cast<int>(typesSeen_.size()) >= kMaxCatalogueRows) {
      return fault(number, "a catalogue holds at most " + std::to_string(kMaxCatalogueRows) + " types.");
    }
    typesSeen_.emplace_back(type, number);
    section_ = Section{};
    section_->row.type = type;
    section_->row.number = type;
    section_->line = number;
    return true;
  }

  bool readValue(const std::string& key, std::string_view value, int number) {
    Section& section = *section_;
    if (key == "name") {
      if (section.named) return fault(number, "the Name is given twice.");
      if (value.size() > static_cast<std::size_t>(kMaxEntityNameLength)) {
        return fault(number, "the Name is longer than " + std::to_string(kMaxEntityNameLength) + " characters.");
      }
      section.row.name = std::string(value);
      section.named = !value.empty();
      return true;
    }
    if (key == "description") {
      if (!section.row.description.empty()) section.row.description += "\r\n";
      section.row.description += unescaped(value);
      return true;
    }
    if (key == "sprite") {
      if (section.spriteLine != 0) return fault(number, "the Sprite is given twice.");
      section.spritePath = std::string(value);
      section.spriteLine = number;
      return true;
    }
    return fault(number, "\"" + key + "\" is not a key of a catalogue; the keys are Name, Description and Sprite.");
  }

  bool finishSection() {
    Section section = std::move(*section_);
    section_.reset();
    if (!section.named) return fault(section.line, "type " + std::to_string(section.row.type) + " has no Name.");
    if (!section.spritePath.empty() && !readSpriteOf(section)) return false;
    result_.rows.push_back(std::move(section.row));
    return true;
  }

  bool readSpriteOf(Section& section) {
    const std::string file =
        absolutePath(section.spritePath) ? section.spritePath : joinPath(splitPath(path_).folder, section.spritePath);
    IndexedImage image;
    std::string message;
    if (!readSprite_ || !readSprite_(file, image, message)) {
      return fault(section.spriteLine, "the sprite \"" + file + "\" could not be read: " + message);
    }
    if (image.imageWidth != kEntitySpriteSize || image.imageHeight != kEntitySpriteSize) {
      return fault(section.spriteLine, "the sprite \"" + file + "\" is " + std::to_string(image.imageWidth) + " x " +
                                           std::to_string(image.imageHeight) + " pixels; a sprite is 32 x 32.");
    }
    DisplayImage display = makeDisplayImage(image);
    if (display.rgba.empty()) return fault(section.spriteLine, "there is no memory for the sprite.");
    section.row.sprite = std::move(display.rgba);
    return true;
  }

  const std::string& path_;
  const SpriteReader& readSprite_;
  CatalogueReadResult result_;
  std::optional<Section> section_;
  std::vector<std::pair<int, int>> typesSeen_;  // type, line
};

}  // namespace

CatalogueReadResult parseEntityCatalogue(std::string_view text, const std::string& path,
                                         const SpriteReader& readSprite) {
  return CatalogueParser(path, readSprite).parse(text);
}

CatalogueReadResult readEntityCatalogueFile(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  CatalogueReadResult result;
  switch (readFileBytes(path, bytes, kMaxCatalogueFileBytes)) {
    case ReadStatus::Ok:
    case ReadStatus::Empty:
      break;
    case ReadStatus::NotFound:
      result.message = "The entity catalogue \"" + path + "\" could not be opened.";
      return result;
    case ReadStatus::TooLarge:
      result.message = "The entity catalogue \"" + path + "\" is larger than 1 MB; it cannot be a catalogue.";
      return result;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return parseEntityCatalogue(text, path, [](const std::string& sprite, IndexedImage& image, std::string& message) {
    return readBmp(sprite, image, message);
  });
}

}  // namespace qarto
