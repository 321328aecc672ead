#pragma once

#include "platform/capdriver/CaptureDevice.h"
#include "platform/capdriver/V4l2Io.h"

namespace platform::capdriver {

// The user controls a node reports (brightness, contrast, ...) that the source
// dialog can offer: integers, switches and menus that are neither disabled nor
// read-only, with their current values.
QList<SourceControl> queryV4l2Controls(V4l2Io& io, int fd);
bool setV4l2Control(V4l2Io& io, int fd, quint32 id, qint32 value);

}  // namespace platform::capdriver
