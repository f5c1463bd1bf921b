#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "export/text/text_buffer.h"
#include "io/files/atomic_file.h"

namespace qarto {

// One output file of the text export. The text collects in one buffer and
// replaces the file in one write on close(), so a failed export never
// leaves a half-written array behind; "opening" creates the folders and
// the temporary file, which is where an unwritable path shows up.
class TextOutputFile {
 public:
  explicit TextOutputFile(std::string path) : path_(std::move(path)) {}
  TextOutputFile(const TextOutputFile&) = delete;
  TextOutputFile& operator=(const TextOutputFile&) = delete;

  // Creates the missing parent folders, then the temporary file.
  bool open();
  bool isOpen() const { return file_.has_value() && !closed_; }
  void write(std::string_view text) { text_.append(text); }
  // The file's text so far, for writers that append values directly.
  TextBuffer& text() { return text_; }
  // Writes the text and puts the file in place; false when it could not.
  bool close();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::optional<AtomicFile> file_;
  TextBuffer text_;
  bool closed_ = false;
};

}  // namespace qarto
