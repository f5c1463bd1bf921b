// Writes the export benchmarks' maps as map files, for timing the whole
// `qarto-cli export` process:
//   qarto-write-bench-maps FOLDER   -> FOLDER/bench-512.qrm, FOLDER/bench-1024-groups.qrm

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_map.h"
#include "io/map_file/map_file_writer.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset_host.h"

namespace {

using namespace qarto;

bool writeMap(const std::string& path, const std::function<void(EditorSession&)>& load) {
  RecordingServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  EditorSession session{services, settings, host};
  load(session);
  std::vector<std::uint8_t> bytes;
  return encodeMapFile(session.project(), session.registry(), bytes) &&
         writeFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  if (!writeMap(folder + "/bench-512.qrm", bench::loadSmallBenchMap) ||
      !writeMap(folder + "/bench-1024-groups.qrm", bench::loadLargeBenchMap)) {
    std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], folder.c_str());
    return 1;
  }
  return 0;
}
