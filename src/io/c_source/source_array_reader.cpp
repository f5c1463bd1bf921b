#include "io/c_source/source_array_reader.h"

#include <algorithm>
#include <array>

#include "io/c_source/c_characters.h"
#include "io/c_source/c_source_lexer.h"
#include "io/files/file_bytes.h"

namespace qarto {

namespace {

// Tokens kept between two declarations; a longer run is no declaration.
constexpr std::size_t kMaxPendingTokens = 64;
constexpr const char* kTypeList =
    "u8, u16, u32, unsigned char, unsigned short, unsigned int, uint8_t, uint16_t or uint32_t";

std::string quote(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool isTypeWord(std::string_view word) {
  static constexpr std::array<std::string_view, 10> kWords = {"u8",       "u16",      "u32",  "uint8_t", "uint16_t",
                                                              "uint32_t", "unsigned", "char", "short",   "int"};
  return std::find(kWords.begin(), kWords.end(), word) != kWords.end();
}

// The element size the type words give (in any order), 0 for none.
int elementBytesOf(std::vector<std::string_view> words) {
  std::sort(words.begin(), words.end());
  using Words = std::vector<std::string_view>;
  static const std::pair<Words, int> kTypes[] = {
      {{"u8"}, 1},       {{"uint8_t"}, 1},           {{"char", "unsigned"}, 1},         {{"u16"}, 2},
      {{"uint16_t"}, 2}, {{"short", "unsigned"}, 2}, {{"int", "short", "unsigned"}, 2}, {{"u32"}, 4},
      {{"uint32_t"}, 4}, {{"int", "unsigned"}, 4},
  };
  for (const auto& [type, bytes] : kTypes) {
    if (type == words) return bytes;
  }
  return 0;
}

// ALIGN4, ALIGN(4), EWRAM_DATA and the compilers' own attribute words.
bool isAttributeWord(std::string_view word) {
  if (word == "__attribute__" || word == "__attribute" || word == "alignas" || word == "_Alignas" ||
      word == "__declspec") {
    return true;
  }
  bool capital = false;
  for (char c : word) {
    if (c >= 'a' && c <= 'z') return false;
    capital = capital || (c >= 'A' && c <= 'Z');
  }
  return capital;
}

// A C integer constant with an optional u/l suffix; values above 32 bits
// come out as 2^32 so that they fail the range check.
bool parseNumber(std::string_view text, std::uint64_t& value) {
  std::size_t suffix = 0;
  while (suffix < 3 && suffix < text.size() &&
         std::string_view("uUlL").find(text[text.size() - 1 - suffix]) != std::string_view::npos) {
    ++suffix;
  }
  text.remove_suffix(suffix);
  int base = 10;
  if (text.size() > 1 && text[0] == '0') {
    const char kind = text[1];
    base = kind == 'x' || kind == 'X' ? 16 : kind == 'b' || kind == 'B' ? 2 : 8;
    text.remove_prefix(base == 8 ? 1 : 2);
  }
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    int digit = 99;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit >= base) return false;
    value = std::min<std::uint64_t>(value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit),
                                    std::uint64_t{1} << 32);
  }
  return true;
}

enum class Found { Values, DeclarationOnly, Passed, Failed };

// What stands between "[" and "]", and whether the "]" came.
struct Declarator {
  bool closed = false;
  std::size_t tokens = 0;
  CToken first;
  CToken second;
};

class ArrayReader {
 public:
  ArrayReader(std::string_view text, const std::string& path, const std::string& wanted)
      : lexer_(text), path_(path), wanted_(wanted) {}

  bool run(SourceArray& out, std::string& message);

 private:
  Found readDeclaration(const std::vector<CToken>& specifiers, const CToken& name, SourceArray& out);
  Declarator readDeclarator();
  Found readSpecifiers(const std::vector<CToken>& specifiers, const CToken& name, SourceArray& out);
  Found skipTrailingAttributes();
  Found readValues(SourceArray& out, bool sized, std::uint64_t declared);

  CToken take() {
    if (!peeked_) return lexer_.next();
    peeked_ = false;
    return peek_;
  }
  const CToken& peek() {
    if (!peeked_) peek_ = lexer_.next();
    peeked_ = true;
    return peek_;
  }
  Found fail(int line, const std::string& text) {
    message_ = "File <" + path_ + ">, line " + std::to_string(line) + ": " + text;
    return Found::Failed;
  }
  Found expected(const std::string& what, const CToken& found) {
    if (lexer_.failed()) return fail(lexer_.errorLine(), "expected " + lexer_.error() + ".");
    const std::string seen = found.kind == CToken::Kind::End ? "the end of the file" : quote(found.text);
    return fail(found.line, "expected " + what + ", found " + seen + ".");
  }

  CSourceLexer lexer_;
  const std::string& path_;
  const std::string& wanted_;
  CToken peek_;
  bool peeked_ = false;
  std::string message_;
};

bool ArrayReader::run(SourceArray& out, std::string& message) {
  std::vector<CToken> pending;  // since the last ";", "{" or "}" outside initializers and bodies
  int closedBraces = 0;         // depth inside braces whose content is not looked into
  int openBraces = 0;           // extern "C" { and namespace braces
  int declaredOnlyLine = 0;
  for (CToken token = take(); token.kind != CToken::Kind::End; token = take()) {
    if (closedBraces > 0) {
      closedBraces += token.is('{') ? 1 : token.is('}') ? -1 : 0;
      continue;
    }
    if (token.is('[') && !pending.empty() && pending.back().kind == CToken::Kind::Identifier) {
      const CToken name = pending.back();
      pending.pop_back();
      switch (readDeclaration(pending, name, out)) {
        case Found::Values:
          return true;
        case Found::Failed:
          message = message_;
          return false;
        case Found::DeclarationOnly:
          if (declaredOnlyLine == 0 && !wanted_.empty()) declaredOnlyLine = name.line;
          break;
        case Found::Passed:
          break;
      }
      pending.clear();
    } else if (token.is(';')) {
      pending.clear();
    } else if (token.is('{')) {
      const bool linkage = !pending.empty() && pending.back().kind == CToken::Kind::String;
      const bool space = !pending.empty() && (pending.back().isWord("namespace") ||
                                              (pending.size() > 1 && pending[pending.size() - 2].isWord("namespace")));
      (linkage || space ? openBraces : closedBraces) += 1;
      pending.clear();
    } else if (token.is('}')) {
      openBraces = std::max(0, openBraces - 1);
      pending.clear();
    } else {
      if (pending.size() == kMaxPendingTokens) pending.erase(pending.begin());
      pending.push_back(token);
    }
  }
  if (lexer_.failed()) {
    expected("", {});
    message = message_;
  } else if (declaredOnlyLine != 0) {
    fail(declaredOnlyLine, quote(wanted_) + " is only declared here; expected its values (\"= { ... };\"), " +
                               "which are in another file, such as the .c or .cpp beside it.");
    message = message_;
  } else if (wanted_.empty()) {
    message = "File <" + path_ + "> has no array with values.";
  } else {
    message = "File <" + path_ + "> has no array named " + quote(wanted_) + ".";
  }
  return false;
}

Declarator ArrayReader::readDeclarator() {
  Declarator declarator;
  for (;;) {
    const CToken& token = peek();
    if (token.is(']')) {
      take();
      declarator.closed = true;
      return declarator;
    }
    if (token.kind == CToken::Kind::End || token.is(';') || token.is('{') || token.is('}')) return declarator;
    const CToken inside = take();
    if (declarator.tokens < 2) (declarator.tokens == 0 ? declarator.first : declarator.second) = inside;
    declarator.tokens = std::min<std::size_t>(declarator.tokens + 1, 2);
  }
}

Found ArrayReader::readSpecifiers(const std::vector<CToken>& specifiers, const CToken& name, SourceArray& out) {
  std::vector<std::string_view> typeWords;
  for (std::size_t i = 0; i < specifiers.size(); ++i) {
    const CToken& token = specifiers[i];
    if (token.isWord("const") || token.isWord("static") || token.isWord("volatile") || token.isWord("extern")) {
      if (token.isWord("extern") && i + 1 < specifiers.size() && specifiers[i + 1].kind == CToken::Kind::String) ++i;
    } else if (token.kind == CToken::Kind::Identifier && isTypeWord(token.text)) {
      typeWords.push_back(token.text);
    } else if (token.kind == CToken::Kind::Identifier && isAttributeWord(token.text)) {
      if (i + 1 >= specifiers.size() || !specifiers[i + 1].is('(')) continue;
      int depth = 0;
      do {
        ++i;
        depth += specifiers[i].is('(') ? 1 : specifiers[i].is(')') ? -1 : 0;
      } while (depth > 0 && i + 1 < specifiers.size());
      if (depth > 0) return expected("\")\" to close the argument list of " + quote(token.text), name);
    } else {
      return expected("the element type of " + quote(name.text) + " (" + kTypeList + ")", token);
    }
  }
  out.elementBytes = elementBytesOf(typeWords);
  if (out.elementBytes == 0) {
    return expected("the element type of " + quote(name.text) + " (" + kTypeList + ")",
                    specifiers.empty() ? name : specifiers.front());
  }
  out.typeName.clear();
  for (std::string_view word : typeWords) out.typeName += (out.typeName.empty() ? "" : " ") + std::string(word);
  return Found::Values;
}

Found ArrayReader::skipTrailingAttributes() {
  while (peek().kind == CToken::Kind::Identifier && isAttributeWord(peek().text)) {
    const CToken word = take();
    if (!peek().is('(')) continue;
    int depth = 0;
    do {
      const CToken token = take();
      if (token.kind == CToken::Kind::End)
        return expected("\")\" to close the argument list of " + quote(word.text), token);
      depth += token.is('(') ? 1 : token.is(')') ? -1 : 0;
    } while (depth > 0);
  }
  return Found::Values;
}

Found ArrayReader::readDeclaration(const std::vector<CToken>& specifiers, const CToken& name, SourceArray& out) {
  // Up to "=" every array is read alike, wanted or not, so that asking for
  // an array by name goes the same way through the text as asking for the
  // first one.
  const Declarator declarator = readDeclarator();
  if (declarator.closed && skipTrailingAttributes() == Found::Failed) {
    return wanted_.empty() || name.text == wanted_ ? Found::Failed : Found::Passed;
  }
  if (!wanted_.empty() && name.text != wanted_) return Found::Passed;
  const CToken& next = peek();
  if (declarator.closed && (next.is(';') || next.is(','))) return Found::DeclarationOnly;

  if (readSpecifiers(specifiers, name, out) == Found::Failed) return Found::Failed;
  out.name = std::string(name.text);
  out.line = name.line;
  std::uint64_t declared = 0;
  const bool sized = declarator.tokens == 1 && declarator.first.kind == CToken::Kind::Number;
  if (declarator.tokens > 0 && !(sized && parseNumber(declarator.first.text, declared))) {
    // The first token that is no size: the size itself, or what follows a good one.
    const bool goodFirst =
        declarator.first.kind == CToken::Kind::Number && parseNumber(declarator.first.text, declared);
    return expected("the size of " + quote(name.text) + " (a number) or \"]\"",
                    goodFirst ? declarator.second : declarator.first);
  }
  if (!declarator.closed) return expected("the size of " + quote(name.text) + " (a number) or \"]\"", peek());
  if (declared > kMaxSourceArrayValues) {
    return expected("a size of at most " + std::to_string(kMaxSourceArrayValues) + " values", declarator.first);
  }
  CToken token = take();
  if (token.is('[')) return expected("\"=\" (arrays of more than one dimension are not read)", token);
  if (!token.is('=')) return expected("\"=\" and the values of " + quote(name.text), token);
  token = take();
  if (!token.is('{')) return expected("\"{\" to open the values of " + quote(name.text), token);
  if (readValues(out, sized, declared) == Found::Failed) return Found::Failed;
  token = take();
  if (!token.is(';')) return expected("\";\" after the values of " + quote(name.text), token);
  return Found::Values;
}

Found ArrayReader::readValues(SourceArray& out, bool sized, std::uint64_t declared) {
  const std::uint64_t largest = out.elementBytes == 4 ? 0xFFFFFFFFu : (std::uint64_t{1} << (8 * out.elementBytes)) - 1;
  out.values.clear();
  for (;;) {
    const CToken value = take();
    if (value.is('}')) break;
    std::uint64_t number = 0;
    if (value.kind != CToken::Kind::Number || !parseNumber(value.text, number)) {
      return expected(out.values.empty() ? "a number or \"}\"" : "a number", value);
    }
    if (number > largest) {
      return expected("a value from 0 to " + std::to_string(largest) + " (" + out.typeName + ")", value);
    }
    if (sized && out.values.size() == declared) {
      return expected("\"}\" after the " + std::to_string(declared) + " values that " + quote(out.name) + " declares",
                      value);
    }
    if (out.values.size() == kMaxSourceArrayValues) {
      return fail(value.line, quote(out.name) + " holds more than " + std::to_string(kMaxSourceArrayValues) +
                                  " values; expected at most that many.");
    }
    out.values.push_back(static_cast<std::uint32_t>(number));
    const CToken separator = take();
    if (separator.is('}')) break;
    if (!separator.is(',')) return expected("\",\" or \"}\" after " + quote(value.text), separator);
  }
  if (sized) out.values.resize(static_cast<std::size_t>(declared), 0);
  return Found::Values;
}

}  // namespace

std::vector<std::uint8_t> SourceArray::bytes() const {
  std::vector<std::uint8_t> result;
  result.reserve(values.size() * static_cast<std::size_t>(elementBytes));
  for (std::uint32_t value : values) {
    for (int i = 0; i < elementBytes; ++i) result.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  return result;
}

bool readSourceArray(std::string_view text, const std::string& path, const std::string& name, SourceArray& out,
                     std::string& message) {
  SourceArray array;
  ArrayReader reader(text, path, name);
  if (!reader.run(array, message)) return false;
  out = std::move(array);
  return true;
}

bool readSourceArrayFile(const std::string& path, const std::string& name, SourceArray& out, std::string& message) {
  std::vector<std::uint8_t> bytes;
  switch (readFileBytes(path, bytes, kMaxSourceBytes)) {
    case ReadStatus::Ok:
      break;
    case ReadStatus::NotFound:
      message = "File <" + path + "> not found!";
      return false;
    case ReadStatus::Empty:
      message = "File <" + path + "> is empty!";
      return false;
    case ReadStatus::TooLarge:
      message = "File <" + path + "> is too large to be a source file.";
      return false;
  }
  return readSourceArray(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), path, name, out,
                         message);
}

}  // namespace qarto
