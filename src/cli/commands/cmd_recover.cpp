#include <cstdio>
#include <ctime>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/cli_context.h"
#include "io/files/atomic_file.h"
#include "io/files/file_bytes.h"
#include "io/map_file/map_file_reader.h"
#include "io/recovery/recovery_copies.h"

namespace qarto {

namespace {

int listCopies(const std::string& folder) {
  const std::vector<RecoveryCopy> copies = listRecoveryCopies(folder);
  if (copies.empty()) std::printf("No recovery copies in %s\n", folder.c_str());
  const std::int64_t now = std::time(nullptr);
  for (const RecoveryCopy& copy : copies) {
    const char* state = !copy.headerReadable ? "  (damaged)" : !isOfferable(copy, now) ? "  (older than 14 days)" : "";
    const std::string map = copy.headerReadable && copy.mapPath.empty() ? "(untitled)" : copy.mapPath;
    std::printf("%s\t%s\t%s%s\n", map.c_str(), recoveryTimeText(copy.writtenSeconds).c_str(), copy.copyPath.c_str(),
                state);
  }
  return kExitOk;
}

int writeCopy(const std::string& folder, const std::string& map, const std::string& out) {
  const std::optional<RecoveryCopy> copy = findRecoveryCopy(folder, map);
  if (!copy) {
    std::fprintf(stderr, "qarto-cli recover: no recovery copy of %s in %s\n", map.c_str(), folder.c_str());
    return kExitFailed;
  }
  std::vector<std::uint8_t> bytes;
  if (readFileBytes(copy->copyPath, bytes) != ReadStatus::Ok ||
      !decodeMapFile(bytes.data(), bytes.size()).succeeded()) {
    std::fprintf(stderr, "qarto-cli recover: the recovery copy %s is damaged\n", copy->copyPath.c_str());
    return kExitFailed;
  }
  WriteFailure failure;
  if (!writeFileAtomically(out, bytes.data(), bytes.size(), &failure)) {
    std::fprintf(stderr, "qarto-cli recover: %s\n", describeWriteFailure(out, failure).c_str());
    return kExitFailed;
  }
  std::printf("%s: changes from %s -> %s\n", map.c_str(), recoveryTimeText(copy->writtenSeconds).c_str(), out.c_str());
  return kExitOk;
}

}  // namespace

int runRecover(const std::vector<std::string>& args) {
  CliArguments arguments({"-o"}, {"--list"});
  std::string error;
  const bool parsed = arguments.parse(args, error);
  const bool listing = parsed && arguments.has("--list") && arguments.positional().empty();
  const bool writing = parsed && !arguments.has("--list") && arguments.positional().size() == 1 && arguments.value("-o");
  if (!listing && !writing) {
    std::fprintf(stderr, "qarto-cli recover: %s\n", error.empty() ? "expected --list, or one map and -o OUT.qrm" : error.c_str());
    return kExitUsage;
  }
  const std::string folder = recoveryFolder();
  return listing ? listCopies(folder) : writeCopy(folder, arguments.positional()[0], *arguments.value("-o"));
}

}  // namespace qarto
