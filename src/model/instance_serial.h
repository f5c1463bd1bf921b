#pragma once

#include <atomic>
#include <cstdint>

namespace qarto {

// A number no other object of the process has had or will have: unlike an
// address, it is never handed out again once its object is gone. A copy, or
// an object assigned to, gets a new one, since its contents may differ.
class InstanceSerial {
 public:
  InstanceSerial() : value_(next()) {}
  InstanceSerial(const InstanceSerial&) : value_(next()) {}
  InstanceSerial& operator=(const InstanceSerial&) {
    value_ = next();
    return *this;
  }
  std::uint64_t value() const { return value_; }

 private:
  static std::uint64_t next() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
  }
  std::uint64_t value_;
};

}  // namespace qarto
