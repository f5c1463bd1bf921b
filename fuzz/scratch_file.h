#pragma once

// One scratch file per fuzz target, in memory when the machine offers it
// (/dev/shm): writing every input to disk would dominate the run.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"

namespace qarto::fuzz {

class ScratchFile {
 public:
  explicit ScratchFile(const char* name) : name_(name) {}
  ~ScratchFile() {
    if (folder_.empty()) return;
    unlink(path().c_str());
    rmdir(folder_.c_str());
  }

  // Writes the bytes to the scratch file and returns its path.
  const std::string& write(const std::uint8_t* data, std::size_t size) {
    if (folder_.empty()) {
      std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/qarto_fuzz.XXXXXX" : "/tmp/qarto_fuzz.XXXXXX";
      FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
      folder_ = pattern;
      path_ = folder_ + "/" + name_;
    }
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);
    return path_;
  }
  const std::string& path() const { return path_; }

 private:
  std::string name_;
  std::string folder_;
  std::string path_;
};

}  // namespace qarto::fuzz
