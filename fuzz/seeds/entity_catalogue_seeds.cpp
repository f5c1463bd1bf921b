// Writes starting inputs for entity_catalogue_fuzzer into the folder argv[1]:
// catalogues with and without sprites (the bytes after the NUL are the sprite).
#include "seed_files.h"

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

int main(int argc, char** argv) {
  using namespace qarto::seeds;
  return seedMain(argc, argv, [](const std::string& folder) {
    std::vector<std::uint8_t> withSprite = bytesOf("[12]\nName=Goblin\nSprite=goblin.bmp\n");
    withSprite.push_back(0);
    const std::vector<std::uint8_t> bmp = qarto::encodeIndexedBmp(patternImage(32, 32, 16), 256);
    withSprite.insert(withSprite.end(), bmp.begin(), bmp.end());
    return writeSeed(folder, "plain.ini",
                     bytesOf("; game\n[1]\nName = Hopper\nDescription = Jumps.\\nHigh.\n\n[300]\nname=Bat\n")) &&
           writeSeed(folder, "sprite.ini", withSprite) &&
           writeSeed(folder, "fault.ini", bytesOf("[7]\nName=A\n[7]\nName=B\n"));
  });
}
