#pragma once

// Runs the real qarto-cli as a build pipeline would: in a work folder, with
// the user's settings in a throw-away home, its streams and exit code kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/temp_folder.h"

namespace qarto::test {

struct CliRun {
  int code = -1;
  std::string out, err;
};

class CliFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + "/config").c_str(), 1);
    setenv("GALLIUM_DRIVER", "llvmpipe", 1);
  }
  CliRun run(const std::string& arguments) {
    const std::string command =
        "cd '" + work.path() + "' && '" + QARTO_CLI + "' " + arguments + " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(work.file("stdout.txt")),
            readText(work.file("stderr.txt"))};
  }
  static std::string example(const std::string& name) { return std::string(QARTO_EXAMPLES_DIR) + "/" + name; }

  TempFolder home, work;
};

}  // namespace qarto::test
