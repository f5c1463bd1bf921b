#pragma once

#include <QString>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "io/files/file_system.h"
#include "model/settings/settings_store.h"

class QObject;

namespace qarto {

// The per-user settings store: an INI file in the user's configuration
// folder for organisation "Vantrel Software" and application "Qarto"
// ($XDG_CONFIG_HOME/Vantrel Software/Qarto.ini, normally under ~/.config),
// or an explicit file for tests and tools. Sections and keys are
// case-sensitive. A missing, unreadable or garbled file reads as empty.
//
// The values live in memory; sync() writes the whole file atomically
// through the same file-system steps as a map save, so a full disk or a
// vanished folder leaves the previous file whole. Keys another editor wrote
// in the meantime are kept: only the keys written here replace theirs.
class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();
  explicit QtSettingsStore(const std::string& iniPath, FileSystem& system = realFileSystem());
  ~QtSettingsStore() override;  // syncs what is still pending
  QtSettingsStore(const QtSettingsStore&) = delete;
  QtSettingsStore& operator=(const QtSettingsStore&) = delete;

  // A stored text that is not a whole decimal integer reads as the default.
  int readInt(const std::string& section, const std::string& key, int defaultValue) override;
  void writeInt(const std::string& section, const std::string& key, int value) override;
  std::string readText(const std::string& section, const std::string& key, const std::string& defaultValue) override;
  void writeText(const std::string& section, const std::string& key, const std::string& value) override;

  // Writes pending changes to the file; false when the file could not be
  // written (the changes stay in memory for the next try, the old file as
  // it was). With an event loop running this also happens by itself soon
  // after a write.
  bool sync();
  // Why the last sync failed; empty after a successful one.
  const std::optional<WriteFailure>& lastFailure() const { return lastFailure_; }
  std::string fileName() const { return path_; }

 private:
  void write(const QString& keyPath, QVariant value);

  std::string path_;
  FileSystem& system_;
  std::map<QString, QVariant> values_;
  std::set<QString> changed_;  // written since the last successful sync
  std::optional<WriteFailure> lastFailure_;
  std::unique_ptr<QObject> syncGuard_;  // cancels a posted sync when the store goes
  bool syncPosted_ = false;
};

}  // namespace qarto
