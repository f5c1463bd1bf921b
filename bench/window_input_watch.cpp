// Times the editor's redraws as a user sees them, on the X server in
// DISPLAY: from a key or a mouse move sent through XTest to the new picture
// on the screen.
//   qarto_window_input_watch X Y W H PICKX PICKY -- PROGRAM [ARGS...]
// (X, Y, W, H) is a screen rectangle inside the map view, all of it on the
// map; (PICKX, PICKY) a tile of the tile page when the view shows it. The
// program is started and the map awaited (at least 32 colours); then zoom
// 1 (key 1), a tile picked as the brush (Space, a click, Space), the map
// scrolled to fill the view (keypad 3, 60 times), the pointer at three
// quarters of the rectangle, and:
//  - scroll steps: keypad 2 (Num Lock on) scrolls the map 10 pixels down,
//    so the picture must move up; each step is timed until the upper left
//    quarter of the rectangle (away from the pointer) changes, and the
//    change is checked to be the picture moved up by whole rows;
//  - mouse moves: the pointer moves two cells to one side and back; each
//    move is timed until the brush preview has moved on the screen.
// Prints median, mean and worst times of each.
//
//   qarto_window_input_watch --wheel X Y W H -- PROGRAM [ARGS...]
// times another editor the same way: once its map is drawn, the pointer
// over the rectangle, Ctrl+0 (100 %), then wheel steps down, each until the
// picture has moved up by whole rows. No mouse moves.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <set>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Area {
  int x, y, w, h;
};

// The raw bytes of a screen rectangle: cheap enough to poll.
std::vector<char> probe(Display* display, const Area& a) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), a.x, a.y, static_cast<unsigned>(a.w),
                            static_cast<unsigned>(a.h), AllPlanes, ZPixmap);
  if (image == nullptr) return {};
  std::vector<char> bytes(image->data, image->data + static_cast<std::size_t>(image->bytes_per_line) * a.h);
  XDestroyImage(image);
  return bytes;
}

std::vector<unsigned long> grab(Display* display, const Area& a) {
  std::vector<unsigned long> pixels(static_cast<std::size_t>(a.w) * a.h);
  XImage* image = XGetImage(display, DefaultRootWindow(display), a.x, a.y, static_cast<unsigned>(a.w),
                            static_cast<unsigned>(a.h), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  for (int row = 0; row < a.h; ++row) {
    for (int column = 0; column < a.w; ++column) pixels[static_cast<std::size_t>(row) * a.w + column] = XGetPixel(image, column, row);
  }
  XDestroyImage(image);
  return pixels;
}

void pause(int microseconds) { std::this_thread::sleep_for(std::chrono::microseconds(microseconds)); }

// Polls the small rectangle `watch` until it differs from what it showed
// before the input was sent; the time in ms from `sent`, or -1 after two
// seconds.
double waitForChange(Display* display, const Area& watch, const std::vector<char>& before, Clock::time_point sent) {
  while (std::chrono::duration<double, std::milli>(Clock::now() - sent).count() < 2000) {
    if (probe(display, watch) != before) return std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
    pause(500);
  }
  return -1;
}

// Waits until the rectangle has stopped changing for `quietMs`.
void settle(Display* display, const Area& a, int quietMs) {
  std::vector<unsigned long> last = grab(display, a);
  Clock::time_point since = Clock::now();
  while (std::chrono::duration<double, std::milli>(Clock::now() - since).count() < quietMs) {
    pause(5000);
    std::vector<unsigned long> now = grab(display, a);
    if (now != last) {
      last.swap(now);
      since = Clock::now();
    }
  }
}

// The rows the picture moved up by: `after` row r equals `before` row r + shift.
int verticalShift(const std::vector<unsigned long>& before, const std::vector<unsigned long>& after, const Area& a) {
  for (int shift = 1; shift < a.h / 2; ++shift) {
    bool same = true;
    for (int row = 0; row + shift < a.h && same; ++row) {
      same = std::equal(after.begin() + static_cast<long>(row) * a.w, after.begin() + static_cast<long>(row + 1) * a.w,
                        before.begin() + static_cast<long>(row + shift) * a.w);
    }
    if (same) return shift;
  }
  return 0;
}

void tap(Display* display, KeySym symbol) {
  const KeyCode code = XKeysymToKeycode(display, symbol);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XFlush(display);
}

void report(const char* what, std::vector<double> times) {
  if (times.empty()) {
    std::printf("%s: no redraw seen\n", what);
    return;
  }
  std::sort(times.begin(), times.end());
  const double mean = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
  std::printf("%s: median %.1f ms, mean %.1f ms, worst %.1f ms over %zu\n", what, times[times.size() / 2], mean,
              times.back(), times.size());
}

int distinctColours(const std::vector<unsigned long>& pixels) {
  return static_cast<int>(std::set<unsigned long>(pixels.begin(), pixels.end()).size());
}

// The other editor's wheel steps at 100 %.
int wheelSteps(Display* display, const Area& area, pid_t pid) {
  const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
  XTestFakeKeyEvent(display, control, True, CurrentTime);
  tap(display, XK_0);
  XTestFakeKeyEvent(display, control, False, CurrentTime);
  XFlush(display);
  settle(display, area, 1000);
  std::vector<double> scrolls;
  int wrongShifts = 0;
  const Area strip{area.x, area.y + area.h / 2, area.w, 4};
  for (int step = 0; step < 40; ++step) {
    const std::vector<unsigned long> before = grab(display, area);
    const std::vector<char> watched = probe(display, strip);
    XTestFakeButtonEvent(display, 5, True, CurrentTime);
    XTestFakeButtonEvent(display, 5, False, CurrentTime);
    XFlush(display);
    const double ms = waitForChange(display, strip, watched, Clock::now());
    if (ms < 0) break;
    if (verticalShift(before, grab(display, area), area) == 0) ++wrongShifts;
    scrolls.push_back(ms);
    settle(display, area, 150);
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XCloseDisplay(display);
  report("wheel step (100 %)", scrolls);
  if (wrongShifts > 0) std::printf("  %d of them did not move the picture by whole rows\n", wrongShifts);
  return scrolls.empty() || wrongShifts > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool wheel = argc > 1 && std::strcmp(argv[1], "--wheel") == 0;
  const int at = wheel ? 2 : 1;             // X Y W H
  const int dashes = at + (wheel ? 4 : 6);  // after PICKX PICKY for this editor
  if (argc < dashes + 2 || std::strcmp(argv[dashes], "--") != 0) {
    std::fputs(
        "usage: qarto_window_input_watch X Y W H PICKX PICKY -- PROGRAM [ARGS...]\n"
        "       qarto_window_input_watch --wheel X Y W H -- PROGRAM [ARGS...]\n",
        stderr);
    return 2;
  }
  char** program = argv + dashes + 1;
  const Area view{std::atoi(argv[at]), std::atoi(argv[at + 1]), std::atoi(argv[at + 2]), std::atoi(argv[at + 3])};
  const Area area{view.x, view.y, view.w / 2, view.h / 2};
  Display* display = XOpenDisplay(nullptr);
  int ignored = 0;
  if (display == nullptr || !XTestQueryExtension(display, &ignored, &ignored, &ignored, &ignored)) {
    std::fputs("no X display with XTest\n", stderr);
    return 1;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    execv(program[0], program);
    _exit(127);
  }
  const Clock::time_point start = Clock::now();
  while (distinctColours(grab(display, area)) < 32) {
    if (std::chrono::duration<double>(Clock::now() - start).count() > 20 || waitpid(pid, nullptr, WNOHANG) != 0) {
      std::fputs("the map was not drawn\n", stderr);
      return 1;
    }
    pause(5000);
  }
  // The pointer over the map (keys go to the window under it), zoom 1, Num Lock on.
  const int middleX = view.x + view.w * 3 / 4;
  const int middleY = view.y + view.h * 3 / 4;
  XTestFakeMotionEvent(display, -1, middleX, middleY, CurrentTime);
  if (wheel) return wheelSteps(display, area, pid);
  tap(display, XK_1);
  tap(display, XK_Num_Lock);
  settle(display, area, 500);
  tap(display, XK_space);
  settle(display, area, 300);
  XTestFakeMotionEvent(display, -1, std::atoi(argv[at + 4]), std::atoi(argv[at + 5]), CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XTestFakeMotionEvent(display, -1, middleX, middleY, CurrentTime);
  tap(display, XK_space);
  settle(display, area, 500);
  for (int step = 0; step < 60; ++step) tap(display, XK_KP_3);
  settle(display, area, 500);

  std::vector<double> scrolls;
  int wrongShifts = 0;
  const Area strip{area.x, area.y + area.h / 2, area.w, 4};
  for (int step = 0; step < 40; ++step) {
    const std::vector<unsigned long> before = grab(display, area);
    const std::vector<char> watched = probe(display, strip);
    tap(display, XK_KP_2);
    const double ms = waitForChange(display, strip, watched, Clock::now());
    if (ms < 0) break;
    // The whole picture moved up, not just some pixels.
    if (verticalShift(before, grab(display, area), area) == 0) ++wrongShifts;
    scrolls.push_back(ms);
    settle(display, area, 150);
  }

  std::vector<double> moves;
  // The preview's cells before and after the move.
  const Area near{middleX - 12, middleY - 12, 48, 24};
  for (int step = 0; step < 40; ++step) {
    const std::vector<char> before = probe(display, near);
    XTestFakeMotionEvent(display, -1, middleX + (step % 2 == 0 ? 16 : 0), middleY, CurrentTime);
    XFlush(display);
    const double ms = waitForChange(display, near, before, Clock::now());
    if (ms < 0) break;
    moves.push_back(ms);
    settle(display, near, 150);
  }
  tap(display, XK_Num_Lock);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XCloseDisplay(display);

  report("scroll step (keypad 2, zoom 1)", scrolls);
  if (wrongShifts > 0) std::printf("  %d of them did not move the picture by whole rows\n", wrongShifts);
  report("mouse move (two cells, brush preview)", moves);
  return scrolls.empty() || moves.empty() || wrongShifts > 0 ? 1 : 0;
}
