/* Times an X program's start from outside, for scripts/bench-peers.
 *
 *   screen_probe run X Y W H STILL_MS TIMEOUT_MS -- COMMAND [ARG...]
 *     starts COMMAND (time zero is just before the fork) and polls the display every few
 *     milliseconds for the first mapped top-level window of at least 200x150 and, once it is
 *     there, for the picture of the rectangle X,Y,W,H (from the window's top left corner, read
 *     off the screen wherever the window stands at each poll). It stops once the rectangle has held a picture
 *     of two colours or more for STILL_MS (a blank rectangle does not count: an editor still
 *     loading shows its background there), or at TIMEOUT_MS. It prints
 *       pid P
 *       window MS ID WxH          (or "window none")
 *       content MS HASH CHANGES   time the final picture first showed, and how many pictures
 *                                 the rectangle went through (or "content none")
 *     and leaves COMMAND running.
 *   screen_probe close ID
 *     asks window ID to close as a window manager would (WM_DELETE_WINDOW).
 *   screen_probe gone
 *     exits 0 once no such window is mapped (within 10 s), 1 otherwise.
 *   screen_probe fill FILE BYTES
 *     writes BYTES (a multiple of 16) of rows of 16 bytes: the row's offset as 8 bytes, most
 *     significant first, then "OVXPEER!", so every row differs and reads back at a glance.
 */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int ignore_errors(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0;
}

/* The first viewable child of the root big enough to be an editor's window, or 0. */
static Window find_window(Display* d, int* w, int* h) {
  Window root_return, parent, *children = NULL;
  unsigned n = 0;
  Window found = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root_return, &parent, &children, &n)) return 0;
  for (unsigned i = 0; i < n && !found; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, children[i], &a)) continue;
    if (a.map_state == IsViewable && a.width >= 200 && a.height >= 150) {
      found = children[i];
      *w = a.width;
      *h = a.height;
    }
  }
  if (children) XFree(children);
  return found;
}

/* FNV-1a over the rectangle's pixels; *colours tells whether more than one colour showed. */
static uint64_t picture_hash(Display* d, int x, int y, int w, int h, int* colours) {
  XImage* im = XGetImage(d, DefaultRootWindow(d), x, y, (unsigned)w, (unsigned)h, AllPlanes, ZPixmap);
  uint64_t hash = 1469598103934665603ull;
  *colours = 0;
  if (!im) return 0;
  unsigned long first = XGetPixel(im, 0, 0);
  int several = 0;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      unsigned long p = XGetPixel(im, i, j) & 0xffffff;
      if (p != (first & 0xffffff)) several = 1;
      for (int k = 0; k < 3; ++k) {
        hash ^= (p >> (8 * k)) & 0xff;
        hash *= 1099511628211ull;
      }
    }
  XDestroyImage(im);
  *colours = several ? 2 : 1;
  return hash;
}

static int run(int argc, char** argv) {
  if (argc < 9 || strcmp(argv[8], "--") != 0 || argc < 10) {
    fprintf(stderr, "usage: screen_probe run X Y W H STILL_MS TIMEOUT_MS -- COMMAND [ARG...]\n");
    return 2;
  }
  const int x = atoi(argv[2]), y = atoi(argv[3]), w = atoi(argv[4]), h = atoi(argv[5]);
  const double still = atof(argv[6]), timeout = atof(argv[7]);
  Display* d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "screen_probe: no display\n");
    return 1;
  }
  XSetErrorHandler(ignore_errors);
  const double t0 = now_ms();
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    execvp(argv[9], argv + 9);
    _exit(127);
  }
  if (pid < 0) return 1;
  printf("pid %d\n", (int)pid);
  fflush(stdout);

  Window window = 0;
  double window_ms = -1;
  int ww = 0, wh = 0;
  /* Every picture the rectangle went through, in order, with the time it first showed. */
  enum { kMax = 100000 };
  static uint64_t hashes[kMax];
  static double times[kMax];
  int count = 0;
  double last_change = 0;
  int last_colours = 1;
  for (;;) {
    const double t = now_ms() - t0;
    if (!window) {
      window = find_window(d, &ww, &wh);
      if (window) window_ms = t;
    }
    XWindowAttributes a;
    if (!window || !XGetWindowAttributes(d, window, &a)) {
      if (t >= timeout) break;
      usleep(3000);
      continue;
    }
    int colours = 0;
    const uint64_t hash = picture_hash(d, a.x + x, a.y + y, w, h, &colours);
    if (count == 0 || hashes[count - 1] != hash) {
      if (count < kMax) {
        hashes[count] = hash;
        times[count] = t;
        ++count;
      }
      last_change = t;
      last_colours = colours;
    }
    if (window && last_colours > 1 && t - last_change >= still) break;
    if (t >= timeout) break;
    usleep(3000);
  }
  if (window)
    printf("window %.1f 0x%lx %dx%d\n", window_ms, (unsigned long)window, ww, wh);
  else
    printf("window none\n");
  if (count > 0 && last_colours > 1 && now_ms() - t0 - last_change >= still) {
    const uint64_t final_hash = hashes[count - 1];
    int first = count - 1;
    for (int i = 0; i < count; ++i)
      if (hashes[i] == final_hash) {
        first = i;
        break;
      }
    printf("content %.1f %016llx %d\n", times[first], (unsigned long long)final_hash, count);
  } else {
    printf("content none\n");
  }
  XCloseDisplay(d);
  return 0;
}

static int close_window(const char* id) {
  Display* d = XOpenDisplay(NULL);
  if (!d) return 1;
  const Window window = (Window)strtoul(id, NULL, 0);
  XEvent e;
  memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, window, False, NoEventMask, &e);
  XSync(d, False);
  XCloseDisplay(d);
  return 0;
}

static int gone(void) {
  Display* d = XOpenDisplay(NULL);
  if (!d) return 1;
  XSetErrorHandler(ignore_errors);
  int w, h, result = 1;
  for (int i = 0; i < 1000; ++i) {
    if (!find_window(d, &w, &h)) {
      result = 0;
      break;
    }
    usleep(10000);
  }
  XCloseDisplay(d);
  return result;
}

static int fill(const char* path, long long bytes) {
  FILE* f = fopen(path, "wb");
  if (!f || bytes < 0 || bytes % 16) return 1;
  enum { kChunk = 1 << 20 };
  static unsigned char buffer[kChunk];
  for (long long at = 0; at < bytes; at += kChunk) {
    const long long n = bytes - at < kChunk ? bytes - at : kChunk;
    for (long long r = 0; r < n; r += 16) {
      const unsigned long long offset = (unsigned long long)(at + r);
      for (int k = 0; k < 8; ++k) buffer[r + k] = (unsigned char)(offset >> (56 - 8 * k));
      memcpy(buffer + r + 8, "OVXPEER!", 8);
    }
    if (fwrite(buffer, 1, (size_t)n, f) != (size_t)n) return 1;
  }
  return fclose(f) == 0 ? 0 : 1;
}

int main(int argc, char** argv) {
  if (argc == 4 && strcmp(argv[1], "fill") == 0) return fill(argv[2], atoll(argv[3]));
  if (argc >= 2 && strcmp(argv[1], "run") == 0) return run(argc, argv);
  if (argc == 2 && strcmp(argv[1], "gone") == 0) return gone();
  if (argc == 3 && strcmp(argv[1], "close") == 0) return close_window(argv[2]);
  fprintf(stderr, "usage: screen_probe run X Y W H STILL_MS TIMEOUT_MS -- COMMAND [ARG...] | close ID\n");
  return 2;
}
