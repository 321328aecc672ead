#pragma once

#include "platform/capdriver/V4l2Io.h"

#include <QList>
#include <QString>

#include <linux/videodev2.h>

namespace platform::capdriver {

struct V4l2NodeInfo {
    QString path;
    QString card;
    QString driver;
    QString busInfo;
    quint32 version = 0;

    // Identity for the run: the same camera on the same node.
    QString id() const { return "v4l2:" + path + "|" + busInfo + "|" + card; }
    // The driver and its version, e.g. "uvcvideo 6.1.0".
    QString versionText() const;
};

// N of a node named "videoN" (e.g. /dev/video2), or -1 for any other name.
int nodeNumber(const QString& path);
// A node that captures video frames; metadata, output and codec nodes do not.
bool capturesVideo(const v4l2_capability& caps);
// The nodes that capture video, in node order (video2 before video10), or in the
// order the user named them.
QList<V4l2NodeInfo> enumerateV4l2(V4l2Io& io);

}  // namespace platform::capdriver
