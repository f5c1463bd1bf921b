// Watches a program start as a user sees it, on the X server in DISPLAY:
//   qarto_window_watch TITLE X Y W H -- PROGRAM [ARGS...]
// (TITLE: the window name or its beginning)
// Starts PROGRAM, then polls the screen every millisecond: first for a
// window named TITLE, then for the screen rectangle (X, Y, W, H) to show a
// drawn map (at least 32 distinct colours: a cleared view or a line of
// text has a handful). Prints the times from launch and the peak memory
// (VmHWM) when the map appeared and one second later, then ends PROGRAM.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool hasTitledWindow(Display* display, Window window, const char* title) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    const bool same = std::strncmp(name, title, std::strlen(title)) == 0;
    XFree(name);
    if (same) return true;
  }
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return false;
  bool found = false;
  for (unsigned i = 0; i < count && !found; ++i) found = hasTitledWindow(display, children[i], title);
  if (children != nullptr) XFree(children);
  return found;
}

int distinctColours(Display* display, int x, int y, int w, int h) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(w),
                            static_cast<unsigned>(h), AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  std::set<unsigned long> colours;
  for (int row = 0; row < h; ++row) {
    for (int column = 0; column < w; ++column) colours.insert(XGetPixel(image, column, row));
  }
  XDestroyImage(image);
  return static_cast<int>(colours.size());
}

long peakKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// Windows come and go while the tree is walked.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

// The screen as it is before a launch: no window of an earlier run, the
// rectangle cleared to black.
void clearScreen(Display* display, const char* title) {
  const Window root = DefaultRootWindow(display);
  for (int i = 0; i < 5000 && hasTitledWindow(display, root, title); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  XSetWindowBackground(display, root, BlackPixel(display, DefaultScreen(display)));
  XClearWindow(display, root);
  XSync(display, False);
}

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 8 || std::strcmp(argv[6], "--") != 0) {
    std::fputs("usage: qarto_window_watch TITLE X Y W H -- PROGRAM [ARGS...]\n", stderr);
    return 2;
  }
  const char* title = argv[1];
  const int x = std::atoi(argv[2]);
  const int y = std::atoi(argv[3]);
  const int w = std::atoi(argv[4]);
  const int h = std::atoi(argv[5]);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fputs("no X display\n", stderr);
    return 1;
  }
  XSetErrorHandler(ignoreErrors);
  clearScreen(display, title);

  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[7], argv + 7);
    _exit(127);
  }
  const auto poll = [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); };
  const auto alive = [pid] { return waitpid(pid, nullptr, WNOHANG) == 0; };

  double titled = -1;
  while (alive() && msSince(start) < 20000) {
    if (hasTitledWindow(display, DefaultRootWindow(display), title)) {
      titled = msSince(start);
      break;
    }
    poll();
  }
  double drawn = -1;
  long peakAtDrawn = -1;
  while (titled >= 0 && alive() && msSince(start) < 20000) {
    if (distinctColours(display, x, y, w, h) >= 32) {
      drawn = msSince(start);
      peakAtDrawn = peakKiB(pid);
      break;
    }
    poll();
  }
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const long peakLater = peakKiB(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XCloseDisplay(display);
  if (drawn < 0) {
    std::fputs("the map was not drawn\n", stderr);
    return 1;
  }
  std::printf("titled %.0f ms, drawn %.0f ms, peak %.1f MiB at drawing, %.1f MiB one second later\n", titled, drawn,
              static_cast<double>(peakAtDrawn) / 1024.0, static_cast<double>(peakLater) / 1024.0);
  return 0;
}
