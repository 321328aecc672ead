#pragma once

#include <QImage>
#include <QRect>
#include <QWindow>

namespace platform::gdi {

// Pictures whose pixels the display server shares (the X shared-memory extension):
// such a picture goes onto a window without the program copying it, which is how a
// full-HD live picture is shown at the camera's rate for little more than its
// decoding. Sharing is there on a local X display that offers the extension; on any
// other display (offscreen, remote, Wayland) nothing is shared and callers paint as
// usual. Any thread may make and release shared pictures; only the user-interface
// thread puts them on windows.

// True when pictures can be shared with the display (tried once, with a test
// picture, on the first call).
bool sharedPicturesAvailable();

// A picture of the size in the screen's 32-bit format (QImage::Format_RGB32), in
// memory shared with the display when sharing is available and the system grants
// the memory, otherwise in the program's own memory (nothing shared).
QImage makeSharedPicture(QSize size);

// True when the picture's pixels are shared with the display.
bool isShared(const QImage& picture);

// Puts the part source of a shared picture onto the window at to (window
// coordinates). False, with nothing drawn, when the picture is not shared.
bool putSharedPicture(WId window, const QImage& picture, const QRect& source, const QPoint& to);

}  // namespace platform::gdi
