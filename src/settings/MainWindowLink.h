#pragma once

#include "settings/SettingsFile.h"

#include <QImage>
#include <QRect>
#include <QString>

// What the other windows and the automatic modes may touch of the main window, and
// nothing more. The main window implements it; tests use tests/fakes/MainWindowLinkFake.
// A window never includes the main window's own header.
class MainWindowLink : public SettingsHost {
public:
    // The live preview (viewer, clipboard copies, Save As).
    // True while the preview runs (the start button is disabled).
    virtual bool previewRunning() const = 0;
    // The stop button is enabled (a preview or a recording can be stopped).
    virtual bool stopEnabled() const = 0;
    virtual void cmdStart_Click() = 0;
    virtual void cmdStop_Click() = 0;
    // Starts a recording as the record button does (motion recording).
    virtual void cmdRecord_Click() = 0;
    // Folder kind 0..4 the viewer opens on.
    virtual int viewerFolderIndex() const = 0;
    virtual void setViewerFolderIndex(int index) = 0;

    // Title, notice and the latest picture (interval save, motion, upload).
    virtual QString baseTitle() const = 0;
    // The title becomes the base title followed by modeText.
    virtual void setModeTitle(const QString& modeText) = 0;
    virtual void ShowMessage(const QString& text) = 0;
    // The frame the preview shows now; null when there is none.
    virtual QImage latestPicture() const = 0;

    // The setup dialog.
    // Shows the side logo sized to the room beside the panels, or hides it.
    virtual void setSideLogoVisible(bool visible) = 0;
    // The interval box's text.
    virtual QString saveIntervalText() const = 0;
    // The save-mode option that is selected (0..3), selecting one as a click does,
    // and an option's caption colour.
    virtual int selectedSaveOption() const = 0;
    virtual void selectSaveOption(int index) = 0;
    virtual void setSaveOptionForeColor(int index, quint32 colour) = 0;
    // Switches the time-window timer on; its ticks decide what it does.
    virtual void armTimeWindow() = 0;
    // Capture sizes of the device are probed again on the next size check.
    virtual void setResolutionsChecked(bool checked) = 0;
    // The window's outer left, top, width and height in twips.
    virtual QRect windowRectTwips() const = 0;
};
