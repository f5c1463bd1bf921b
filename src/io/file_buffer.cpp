#include "io/file_buffer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "model/allocation.h"

namespace qarto {

namespace {

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

FileBuffer::~FileBuffer() { release(); }

void FileBuffer::release() {
  if (memory_ != nullptr) munmap(memory_, mapped_);
  memory_ = nullptr;
  mapped_ = 0;
  size_ = 0;
}

ReadStatus FileBuffer::load(const std::string& path, std::size_t maxBytes) {
  release();
  Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (file.fd < 0) return ReadStatus::NotFound;
  struct stat info {};
  if (fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return ReadStatus::NotFound;
  if (info.st_size <= 0) return ReadStatus::Empty;
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > maxBytes || size > allocationLimit()) return ReadStatus::TooLarge;

  void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (memory == MAP_FAILED) return ReadStatus::TooLarge;
  memory_ = memory;
  mapped_ = size;

  // The file may change under us: keep what could actually be read.
  auto* out = static_cast<std::uint8_t*>(memory_);
  std::size_t got = 0;
  while (got < mapped_) {
    const ssize_t n = ::read(file.fd, out + got, mapped_ - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      release();
      return ReadStatus::NotFound;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (got == 0) {
    release();
    return ReadStatus::Empty;
  }
  size_ = got;
  return ReadStatus::Ok;
}

}  // namespace qarto
