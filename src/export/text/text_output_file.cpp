#include "export/text/text_output_file.h"

#include "export/export_paths.h"

namespace qarto {

bool TextOutputFile::open() {
  if (isOpen()) return true;
  CreateParentDirectories(path_);
  file_.emplace(path_);
  if (!file_->open()) {
    file_.reset();
    return false;
  }
  return true;
}

bool TextOutputFile::close() {
  if (!isOpen()) return false;
  closed_ = true;
  const std::string_view text = text_.view();
  const bool written = file_->write(text.data(), text.size());
  text_.clear();
  return file_->commit() && written;
}

}  // namespace qarto
