// Writes the example tile page, its collision set and the demo map:
//   qarto-make-examples [output-folder]      (default: the current folder)

#include <cstdio>
#include <string>

#include "example_content.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: %s [output-folder]\n", argv[0]);
    return 2;
  }
  const std::string folder = argc == 2 ? argv[1] : ".";
  std::string message;
  if (!qarto::examples::writeExamples(folder, message)) {
    std::fprintf(stderr, "qarto-make-examples: %s\n", message.c_str());
    return 1;
  }
  std::printf("Wrote %s, %s and %s into %s\n", qarto::examples::kTilePageFile, qarto::examples::kCollisionSetFile,
              qarto::examples::kDemoMapFile, folder.c_str());
  return 0;
}
