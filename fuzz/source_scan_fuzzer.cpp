// Random bytes as a C source file for the import dialog's array scan: the
// file is scanned as the "<" button does it and the names must be ones the
// text really holds before a "[". Under the sanitizers any read before the
// start or past the end of the text stops the run.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "fuzz_check.h"
#include "io/c_source/source_array_scan.h"
#include "scratch_file.h"

namespace {

bool blank(char c) { return static_cast<unsigned char>(c) < '!'; }

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

// The name stands somewhere in the text as a whole run of non-blanks that
// blanks alone separate from a following "[".
bool standsBeforeABracket(std::string_view text, const std::string& name) {
  for (std::size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
    if (at > 0 && !blank(text[at - 1])) continue;
    std::size_t next = at + name.size();
    while (next < text.size() && blank(text[next])) ++next;
    if (next < text.size() && text[next] == '[') return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static qarto::fuzz::ScratchFile scratch("source.h");
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> names = qarto::scanArrayNames(text);

  std::size_t brackets = 0;
  for (char c : text) brackets += c == '[';
  FUZZ_CHECK(names.size() <= brackets);
  std::unordered_set<std::string> seen;
  for (const std::string& name : names) {
    FUZZ_CHECK(!name.empty());
    for (char c : name) FUZZ_CHECK(!blank(c));
    FUZZ_CHECK(seen.insert(lower(name)).second);
    FUZZ_CHECK(standsBeforeABracket(text, name));
  }
  // A "[" first or last in the text gives nothing of its own.
  if (size == 1) FUZZ_CHECK(names.empty());

  const qarto::SourceScanResult fromFile = qarto::scanSourceFile(scratch.write(data, size));
  if (size == 0) {
    FUZZ_CHECK(fromFile.status == qarto::SourceScanStatus::Empty);
  } else {
    FUZZ_CHECK(fromFile.status == qarto::SourceScanStatus::Ok);
    FUZZ_CHECK(fromFile.names == names);
  }
  return 0;
}
