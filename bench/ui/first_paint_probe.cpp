// Preloaded (LD_PRELOAD) into a program under measurement: writes the wall-clock time, in
// nanoseconds since the epoch, at which the program first sends window contents to the X
// server, into the file that FIRST_PAINT_FILE names. Qt's X11 backing store flushes every
// painted frame either through the shared-memory PutImage or through xcb_image_put, so the
// first call of either is the first painted window. Every call goes on to the real function.
//
// The X types are spelled out by their protocol widths rather than taken from the xcb headers,
// so that the probe builds where only the Qt development files are installed.

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

struct XcbCookie {
  unsigned int sequence;
};
struct XcbConnection;
struct XcbImage;

std::atomic<bool> noted{false};

void NoteFirstPaint() {
  if (noted.exchange(true)) {
    return;
  }
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const char* path = std::getenv("FIRST_PAINT_FILE");
  if (path == nullptr) {
    return;
  }
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%lld%09ld\n",
                                   static_cast<long long>(now.tv_sec), now.tv_nsec);
  const int file = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file >= 0) {
    [[maybe_unused]] const ssize_t written = write(file, text, static_cast<size_t>(length));
    close(file);
  }
}

// The X libraries come in with Qt's platform plugin, opened privately, so RTLD_NEXT does not
// see them: the real function is looked up in the library that is already loaded.
template <typename Function>
Function Real(const char* library, const char* name) {
  return reinterpret_cast<Function>(dlsym(dlopen(library, RTLD_LAZY | RTLD_NOLOAD), name));
}

}  // namespace

extern "C" {

XcbCookie xcb_shm_put_image(XcbConnection* connection, uint32_t drawable, uint32_t gc,
                            uint16_t totalWidth, uint16_t totalHeight, uint16_t sourceX,
                            uint16_t sourceY, uint16_t sourceWidth, uint16_t sourceHeight,
                            int16_t destinationX, int16_t destinationY, uint8_t depth,
                            uint8_t format, uint8_t sendEvent, uint32_t segment, uint32_t offset) {
  NoteFirstPaint();
  static const auto real =
      Real<decltype(&xcb_shm_put_image)>("libxcb-shm.so.0", "xcb_shm_put_image");
  return real(connection, drawable, gc, totalWidth, totalHeight, sourceX, sourceY, sourceWidth,
              sourceHeight, destinationX, destinationY, depth, format, sendEvent, segment, offset);
}

XcbCookie xcb_image_put(XcbConnection* connection, uint32_t drawable, uint32_t gc, XcbImage* image,
                        int16_t x, int16_t y, uint8_t leftPad) {
  NoteFirstPaint();
  static const auto real = Real<decltype(&xcb_image_put)>("libxcb-image.so.0", "xcb_image_put");
  return real(connection, drawable, gc, image, x, y, leftPad);
}

}  // extern "C"
