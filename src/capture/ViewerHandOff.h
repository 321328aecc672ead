#pragma once

#include "core/SettingsModel.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>

// What the main window hands the built-in viewer: the frame of the live picture
// with its caption ("Snapshot3.jpg"), or nothing when no frame exists yet.
struct ViewerHandOff {
    QImage snapshot;
    QString snapshotCaption;
};

// The file an outside viewer is handed the frame in. It lives until the next hand-off
// replaces it or the program ends, so a slow viewer can still open it.
QString handOffFile(const QString& appPath);

// How the outside viewer is started: the program, its own folder as the current
// folder, and the frame's file as one argument (blanks and all).
struct OutsideViewerStart {
    QString program;
    QString workingFolder;
    QStringList arguments;
};
OutsideViewerStart outsideViewerStart(SettingsModel& s);

// "Snapshot" & number & the picture-type setting's extension: "Snapshot3.jpg".
QString snapshotCaption(int32_t snapshotNumber, int16_t saveBitmapType);

// The folder kind the viewer opens on: that of the automatic mode selected
// (auto-save 1, motion save 3, motion record 4); in manual mode the one the last
// capture command set (0 snapshots, 2 videos).
int16_t viewerFolderFor(int selectedSaveOption, int16_t currentFolderIndex);
