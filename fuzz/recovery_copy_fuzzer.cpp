// Arbitrary bytes left in the recovery folder as a copy: the start-up
// offer must restore it or report it and keep it aside, never crash. A
// restored copy is the open map, with unsaved changes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <ctime>

#include "edit/recovery/recovery_offer.h"
#include "edit/session/map_file_commands.h"
#include "fuzz_check.h"
#include "model/project/editor_session.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset_host.h"
#include "scratch_file.h"

namespace {

// Answers Restore to every question about a copy.
struct Restoring : qarto::RecordingServices {
  int chooseButton(const std::string&, const std::string&, const std::vector<std::string>&, int, qarto::MessageIcon) override {
    return 0;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static qarto::fuzz::ScratchFile scratch("copy.qrm");
  const std::string& path = scratch.write(data, size);
  const std::string folder = path.substr(0, path.rfind('/'));
  Restoring services;
  qarto::MemorySettingsStore settings;
  qarto::HeadlessTilesetHost host;
  qarto::EditorSession session(services, settings, host);
  const bool restored = qarto::offerRecoveryCopies(session, folder, std::time(nullptr), {}, nullptr);
  FUZZ_CHECK(!restored || session.project().modified);
  FUZZ_CHECK(restored || !services.messages.empty());
  unlink((path + ".damaged").c_str());
  return 0;
}
