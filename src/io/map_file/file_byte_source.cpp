#include "io/map_file/file_byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "model/allocation.h"

namespace qarto {

FileByteSource::~FileByteSource() { close(); }

void FileByteSource::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  size_ = 0;
  offset_ = 0;
}

ReadStatus FileByteSource::open(const std::string& path, std::size_t maxBytes) {
  close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ReadStatus::NotFound;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return ReadStatus::NotFound;
  }
  fd_ = fd;
  if (info.st_size <= 0) return ReadStatus::Empty;
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > maxBytes || size > allocationLimit()) {
    close();
    return ReadStatus::TooLarge;
  }
  size_ = static_cast<std::size_t>(size);
  // The first bytes decide between empty and unreadable, as a whole read would.
  std::uint8_t first = 0;
  const ssize_t n = ::pread(fd_, &first, 1, 0);
  if (n < 0) {
    close();
    return ReadStatus::NotFound;
  }
  if (n == 0) size_ = 0;
  return size_ == 0 ? ReadStatus::Empty : ReadStatus::Ok;
}

std::size_t FileByteSource::readSome(void* out, std::size_t count) {
  auto* to = static_cast<std::uint8_t*>(out);
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = ::read(fd_, to + got, count - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // Unreadable or shorter than it was: the data ends here.
      size_ = offset_ + got;
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  offset_ += got;
  return got;
}

bool FileByteSource::reserve(std::size_t count) {
  if (buffer_.size() >= count) return true;
  try {
    buffer_.resize(count);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool FileByteSource::peek(std::size_t count, const std::uint8_t*& bytes) {
  if (!has(count) || !reserve(count)) return false;
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = ::pread(fd_, buffer_.data() + got, count - got, static_cast<off_t>(offset_ + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  bytes = buffer_.data();
  return true;
}

bool FileByteSource::take(std::size_t count, const std::uint8_t*& bytes) {
  if (!has(count) || !reserve(count)) return false;
  if (readSome(buffer_.data(), count) != count) return false;
  bytes = buffer_.data();
  return true;
}

bool FileByteSource::copyTo(void* out, std::size_t count) {
  if (!has(count)) return false;
  return readSome(out, count) == count;
}

bool FileByteSource::takeRest(ByteCursor& rest) {
  const std::size_t count = size_ - offset_;
  std::vector<std::uint8_t> bytes;
  if (!allocateZeroed(bytes, count)) return false;
  // Whatever could be read; the decoder finds the end where it is.
  const std::size_t got = readSome(bytes.data(), count);
  buffer_.swap(bytes);
  rest = ByteCursor(buffer_.data(), got);
  return true;
}

}  // namespace qarto
