#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qarto {

// One token of a C or C++ source text. `text` points into the source.
struct CToken {
  enum class Kind { End, Identifier, Number, String, Punct };
  Kind kind = Kind::End;
  std::string_view text;
  int line = 1;

  bool is(char c) const { return kind == Kind::Punct && text.size() == 1 && text[0] == c; }
  bool isWord(std::string_view word) const { return kind == Kind::Identifier && text == word; }
};

// Cuts a source text into tokens the way a compiler sees them for what
// exported arrays need: comments and preprocessor lines (with their "\"
// continuations) are passed over, identifiers, numbers (a digit and every
// letter, digit, "_" or "." after it), string and character constants and
// single punctuation characters are tokens. Anything below "!" is a blank.
// A comment or constant that is never closed ends the text with an error.
class CSourceLexer {
 public:
  explicit CSourceLexer(std::string_view text) : text_(text) {}

  // The next token; Kind::End at the end of the text or after an error.
  CToken next();

  bool failed() const { return !error_.empty(); }
  int errorLine() const { return errorLine_; }
  // What was expected, e.g. `"*/" to close the comment opened on this line`.
  const std::string& error() const { return error_; }

 private:
  // Blanks, comments and preprocessor lines; false after an error.
  bool skipSpace();
  void skipPreprocessorLine();
  CToken quoted(char quote);
  char at(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
  void fail(int line, std::string what);

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  bool lineStart_ = true;  // only blanks and comments since the last line break
  std::string error_;
  int errorLine_ = 0;
};

}  // namespace qarto
