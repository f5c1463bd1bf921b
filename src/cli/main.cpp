#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "selfcheck") == 0) {
    std::puts("selfcheck: not yet built");
    return 0;
  }
  std::fputs("usage: qarto-cli selfcheck\n", stderr);
  return 2;
}
