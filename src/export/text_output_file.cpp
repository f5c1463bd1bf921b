#include "export/text_output_file.h"

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
  const bool written = file_->write(buffer_.data(), buffer_.size());
  buffer_.clear();
  return file_->commit() && written;
}

}  // namespace qarto
