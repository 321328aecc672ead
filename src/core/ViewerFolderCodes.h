#pragma once

#include <cstdint>

// The viewer's folder buttons, in their order; the main window and the viewer pass
// the folder the viewer shows by this index.
enum ViewerFolderCode : int16_t {
    kFolderSnapshots = 0,  // PicturePath
    kFolderAutoSave = 1,
    kFolderVideos = 2,
    kFolderMotionSave = 3,  // MotionPicsPath
    kFolderMotionRecording = 4,
};
