// Start-up measured from outside, as a user sees it: from the moment a
// program is started until its first top-level window is mapped and drawn.
// The X server tells both: the map through the root window's substructure
// events, every change of the window's pixels through a DAMAGE object that
// watches it from its creation. The first change is the server filling the
// newly mapped window with its black background pixel; the window counts as
// drawn once a line across its middle holds anything else. ZUNO and the
// floor program are started by turns.
//
//   bench_startup RUNS ZUNO FLOOR [SAME_WIDGETS_FLOOR]
//                                     (on a display with no window manager)
//
// Prints samples "startup" for ZUNO and the first floor, and "startup-widgets"
// for ZUNO and the second (milliseconds to the first drawing).
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "bench/samples.h"

namespace zuno::bench {
namespace {

// A window that goes away with its program leaves requests about it failing;
// those failures say nothing about the measurement.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

std::optional<long> WindowPid(Display* d, Window w) {
  static const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::optional<long> pid;
  if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data && format == 32 && count == 1)
    pid = *reinterpret_cast<long*>(data);
  if (data) XFree(data);
  return pid;
}

class Watcher {
 public:
  Watcher() {
    display_ = XOpenDisplay(nullptr);
    if (!display_) Fail("no X display");
    int error = 0;
    if (!XDamageQueryExtension(display_, &damageEvent_, &error)) Fail("the X server has no DAMAGE extension");
    XSetErrorHandler(IgnoreXError);
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    XSync(display_, False);
  }
  ~Watcher() { XCloseDisplay(display_); }

  // Starts the program and returns the milliseconds until its first window
  // was drawn; the program is ended afterwards.
  double TimeToFirstDrawing(const char* program) {
    Drain();
    const double start = NowMs();
    pid_t pid = fork();
    if (pid < 0) Fail("fork failed");
    if (pid == 0) {
      execl(program, program, static_cast<char*>(nullptr));
      _exit(127);
    }
    Window shown = None;
    double drawnAt = 0;
    while (drawnAt == 0) {
      if (NowMs() - start > 30000) Fail("the program showed no drawn window within 30 s");
      XEvent e;
      if (!NextEvent(&e)) continue;
      if (e.type == CreateNotify && !e.xcreatewindow.override_redirect) {
        // Watched before it can be mapped, so no drawing goes unseen.
        XDamageCreate(display_, e.xcreatewindow.window, XDamageReportNonEmpty);
      } else if (e.type == MapNotify && shown == None && !e.xmap.override_redirect) {
        std::optional<long> owner = WindowPid(display_, e.xmap.window);
        if (!owner || *owner == pid) shown = e.xmap.window;
      } else if (e.type == damageEvent_ + XDamageNotify) {
        auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&e);
        // Cleared before the pixels are read: a drawing that lands after the
        // read then reports itself anew.
        XDamageSubtract(display_, damage->damage, None, None);
        if (shown != None && damage->drawable == shown && Painted(shown)) drawnAt = NowMs();
      }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return drawnAt - start;
  }

 private:
  // Whether the program has painted the window: a pixel of the line across
  // its middle that is not the server's background.
  bool Painted(Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display_, w, &a) || a.width <= 0 || a.height <= 0) return false;
    XImage* line = XGetImage(display_, w, 0, a.height / 2, static_cast<unsigned>(a.width), 1, AllPlanes, ZPixmap);
    if (!line) return false;
    const unsigned long background = BlackPixel(display_, DefaultScreen(display_));
    bool painted = false;
    for (int x = 0; x < a.width && !painted; ++x) painted = XGetPixel(line, x, 0) != background;
    XDestroyImage(line);
    return painted;
  }

  bool NextEvent(XEvent* e) {
    if (XPending(display_) == 0) {
      pollfd p{ConnectionNumber(display_), POLLIN, 0};
      poll(&p, 1, 100);
      if (XPending(display_) == 0) return false;
    }
    XNextEvent(display_, e);
    return true;
  }

  // Events of the program before are of no interest.
  void Drain() {
    XSync(display_, False);
    XEvent e;
    while (XPending(display_) > 0) XNextEvent(display_, &e);
  }

  Display* display_ = nullptr;
  int damageEvent_ = 0;
};

}  // namespace
}  // namespace zuno::bench

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: bench_startup RUNS ZUNO FLOOR [SAME_WIDGETS_FLOOR]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const int programs = argc - 2;  // ZUNO and one or two floors
  zuno::bench::Watcher watcher;
  // One untimed start of each fills the file caches.
  for (int p = 0; p < programs; ++p) watcher.TimeToFirstDrawing(argv[2 + p]);
  for (int i = 0; i < runs; ++i) {
    // Each program starts first, second or last by turns.
    double took[3] = {};
    for (int k = 0; k < programs; ++k) {
      const int p = (i + k) % programs;
      took[p] = watcher.TimeToFirstDrawing(argv[2 + p]);
    }
    zuno::bench::PrintSample("startup", "zuno", took[0]);
    zuno::bench::PrintSample("startup", "floor", took[1]);
    if (programs == 3) {
      zuno::bench::PrintSample("startup-widgets", "zuno", took[0]);
      zuno::bench::PrintSample("startup-widgets", "floor", took[2]);
    }
  }
  return 0;
}
