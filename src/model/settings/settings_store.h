#pragma once

#include <string>

namespace qarto {

inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kExportingSection = "Exporting";

// Per-user preferences by section and key. Every reader passes the value to
// use when the key is missing or unreadable; stores never report errors.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual int readInt(const std::string& section, const std::string& key, int defaultValue) = 0;
  virtual void writeInt(const std::string& section, const std::string& key, int value) = 0;
  virtual std::string readText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) = 0;
  virtual void writeText(const std::string& section, const std::string& key, const std::string& value) = 0;
};

}  // namespace qarto
