#include "export/text/export_template.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace qarto {

namespace {

enum Scope : unsigned {
  kHeader = 1,     // file headers and includes
  kArray = 2,      // array and extern templates
  kLayer = 4,      // ... of a map or collision layer
  kFileName = 8,   // output paths
};

struct Placeholder {
  std::string_view name;
  unsigned scopes;
  // Empty when the export has no value for it yet.
  std::function<std::optional<std::string>(const PlaceholderValues&)> value;
};

std::optional<std::string> number(int value) { return std::to_string(value); }

std::string formatParallax(float parallax) {
  char text[64];
  std::snprintf(text, sizeof text, "%0.2f", static_cast<double>(parallax));
  return text;
}

const std::vector<Placeholder>& placeholders() {
  static const std::vector<Placeholder> table = {
      {"%time%", kHeader | kArray, [](const PlaceholderValues& v) { return std::optional(v.time); }},
      {"%date%", kHeader | kArray, [](const PlaceholderValues& v) { return std::optional(v.date); }},
      {"%fileName%", kHeader | kArray, [](const PlaceholderValues& v) { return std::optional(v.fileName); }},
      {"%mapName%", kHeader | kArray | kFileName,
       [](const PlaceholderValues& v) { return std::optional(v.mapName); }},
      {"%numAutoGen%", kArray | kFileName, [](const PlaceholderValues& v) { return number(v.numAutoGen); }},
      {"%paletteCount%", kArray, [](const PlaceholderValues& v) { return number(v.paletteCount); }},
      {"%tileCount%", kArray,
       [](const PlaceholderValues& v) { return v.tileCount ? number(*v.tileCount) : std::nullopt; }},
      {"%arraySize%", kArray, [](const PlaceholderValues& v) { return number(v.arraySize); }},
      {"%arrayNumber%", kArray, [](const PlaceholderValues& v) { return std::optional(v.arrayNumber); }},
      {"%tileGroup%", kArray,
       [](const PlaceholderValues& v) { return v.tileGroup ? number(*v.tileGroup) : std::nullopt; }},
      {"%paletteOffset%", kArray, [](const PlaceholderValues& v) { return number(v.paletteOffset); }},
      {"%tileOffset%", kArray, [](const PlaceholderValues& v) { return number(v.tileOffset); }},
      {"%layerName%", kLayer, [](const PlaceholderValues& v) { return std::optional(v.layerName); }},
      {"%width%", kLayer, [](const PlaceholderValues& v) { return number(v.width); }},
      {"%height%", kLayer, [](const PlaceholderValues& v) { return number(v.height); }},
      {"%parallax%", kLayer, [](const PlaceholderValues& v) { return std::optional(formatParallax(v.parallax)); }},
  };
  return table;
}

// One pass over the text: a value once inserted is never scanned again, so
// a map path holding "%date%" comes out as written.
std::string replacePlaceholders(const std::string& text, const PlaceholderValues& values, unsigned scopes) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t percent = text.find('%', pos);
    if (percent == std::string::npos) {
      out.append(text, pos, std::string::npos);
      break;
    }
    out.append(text, pos, percent - pos);
    const std::string_view rest = std::string_view(text).substr(percent);
    bool replaced = false;
    for (const Placeholder& placeholder : placeholders()) {
      if ((placeholder.scopes & scopes) == 0 || !rest.starts_with(placeholder.name)) continue;
      const std::optional<std::string> value = placeholder.value(values);
      if (!value) break;
      out += *value;
      pos = percent + placeholder.name.size();
      replaced = true;
      break;
    }
    if (!replaced) {
      out += '%';
      pos = percent + 1;
    }
  }
  return out;
}

std::string formatTime(const char* format, std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, format, &local);
  return std::string(text, length);
}

}  // namespace

void setStartTime(PlaceholderValues& values, std::time_t moment) {
  values.time = formatTime("%H:%M", moment);
  values.date = formatTime("%b %d, %Y", moment);
}

std::string mapNameOf(const std::string& filePath) {
  std::string path = filePath;
  std::replace(path.begin(), path.end(), '\\', '/');
  const std::size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

std::string convertLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string ExpandTemplate(const std::string& text, const PlaceholderValues& values, bool withLayer) {
  return convertLineBreaks(replacePlaceholders(text, values, withLayer ? kArray | kLayer : kArray));
}

std::string ExpandIncludes(const std::string& text, const PlaceholderValues& values) {
  return convertLineBreaks(replacePlaceholders(text, values, kHeader));
}

std::string ExpandFileName(const std::string& directory, const std::string& fileName,
                           const PlaceholderValues& values) {
  return replacePlaceholders(directory + fileName, values, kFileName);
}

}  // namespace qarto
