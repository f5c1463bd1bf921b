#include "io/c_source/c_source_lexer.h"

#include <utility>

#include "io/c_source/c_characters.h"

namespace qarto {

void CSourceLexer::fail(int line, std::string what) {
  if (failed()) return;
  error_ = std::move(what);
  errorLine_ = line;
  pos_ = text_.size();
}

void CSourceLexer::skipPreprocessorLine() {
  while (pos_ < text_.size() && text_[pos_] != '\n') {
    // A "\" at the end of a line carries the directive on to the next one.
    if (text_[pos_] == '\\' && (at(pos_ + 1) == '\n' || (at(pos_ + 1) == '\r' && at(pos_ + 2) == '\n'))) {
      pos_ += at(pos_ + 1) == '\r' ? 3 : 2;
      ++line_;
      continue;
    }
    ++pos_;
  }
}

bool CSourceLexer::skipSpace() {
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == '\n') {
      ++line_;
      ++pos_;
      lineStart_ = true;
    } else if (isCBlank(c)) {
      ++pos_;
    } else if (c == '/' && at(pos_ + 1) == '/') {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    } else if (c == '/' && at(pos_ + 1) == '*') {
      const int opened = line_;
      const std::size_t close = text_.find("*/", pos_ + 2);
      if (close == std::string_view::npos) {
        fail(opened, "\"*/\" to close the comment opened on this line");
        return false;
      }
      for (std::size_t i = pos_; i < close; ++i) line_ += text_[i] == '\n';
      pos_ = close + 2;
    } else if (c == '#' && lineStart_) {
      skipPreprocessorLine();
    } else {
      return true;
    }
  }
  return true;
}

CToken CSourceLexer::quoted(char quote) {
  const std::size_t start = pos_;
  for (std::size_t i = pos_ + 1; i < text_.size(); ++i) {
    if (text_[i] == '\n') break;
    if (text_[i] == '\\') {
      ++i;  // the escaped character, whatever it is
      if (at(i) == '\n') break;
      continue;
    }
    if (text_[i] == quote) {
      pos_ = i + 1;
      return {CToken::Kind::String, text_.substr(start, pos_ - start), line_};
    }
  }
  fail(line_, std::string("the closing ") + quote + " of the constant that starts on this line");
  return {};
}

CToken CSourceLexer::next() {
  if (failed() || !skipSpace() || pos_ >= text_.size()) return {CToken::Kind::End, {}, line_};
  lineStart_ = false;
  const std::size_t start = pos_;
  const char c = text_[pos_];
  if (c == '"' || c == '\'') return quoted(c);
  CToken::Kind kind = CToken::Kind::Punct;
  if (isCWordStart(c)) {
    kind = CToken::Kind::Identifier;
    while (pos_ < text_.size() && isCWordCharacter(text_[pos_])) ++pos_;
  } else if (isCDigit(c)) {
    kind = CToken::Kind::Number;
    while (pos_ < text_.size() && (isCWordCharacter(text_[pos_]) || text_[pos_] == '.')) ++pos_;
  } else {
    ++pos_;
  }
  return {kind, text_.substr(start, pos_ - start), line_};
}

}  // namespace qarto
