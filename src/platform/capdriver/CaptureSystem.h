#pragma once

#include "platform/capdriver/CaptureConfig.h"
#include "platform/capdriver/CaptureSequence.h"
#include "platform/capdriver/CaptureTrace.h"
#include "platform/capdriver/CaptureTypes.h"
#include "platform/capdriver/CaptureWindow.h"
#include "platform/capdriver/DeviceList.h"
#include "platform/capdriver/TimeSource.h"
#include "platform/capdriver/V4l2Io.h"
#include "platform/files/ScratchBitmap.h"

#include <QImage>
#include <QMimeData>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>
#include <optional>

class QWidget;

namespace platform::capdriver {

// The capture layer: the device list and the capture windows, driven by one typed
// call per capture-window message. main makes one and hands it on by reference.
//
// Every call is made on the user-interface thread and returns promptly. A call on
// handle 0, or on a handle whose window is gone, does nothing and returns false
// (the zero the messages answer). The layer reads its settings from the
// environment when it is first used. It keeps per device, for the whole run, the
// format chosen on any of its windows, and gives it to the next window that
// connects the same device.
class CaptureSystem {
public:
    // Real clock and real devices.
    CaptureSystem();
    // Null arguments stand for the real ones.
    CaptureSystem(std::shared_ptr<const TimeSource> clock, std::shared_ptr<V4l2Io> v4l2);
    ~CaptureSystem();
    CaptureSystem(const CaptureSystem&) = delete;
    CaptureSystem& operator=(const CaptureSystem&) = delete;

    // What writes the recordings; without one no sequence can start.
    void setSequencerFactory(std::shared_ptr<SequencerFactory> factory) { sequencers_ = std::move(factory); }

    // Reads the settings from the environment again (tests change them).
    void reloadSettings();
    const CaptureConfig& config();

    // The device at index 0..9. Asking for index 0 scans the devices again.
    bool capGetDriverDescriptionA(int index, QString& name, QString& version);
    // A child widget of parent at the given place and size; 0 when none can be made.
    CaptureHandle capCreateCaptureWindowA(const QString& windowName, quint32 style, int x, int y, int width,
                                          int height, QWidget* parent, int id);

    // False when the device is missing, busy or out of range.
    bool capDriverConnect(CaptureHandle handle, int index);
    // Releases the device for other windows and programs.
    bool capDriverDisconnect(CaptureHandle handle);
    // The connected device's name, cut to bufferSize - 1 characters.
    bool capDriverGetName(CaptureHandle handle, QString& name, int bufferSize = 128);
    bool capPreview(CaptureHandle handle, bool on);
    bool capPreviewRate(CaptureHandle handle, int milliseconds);
    bool capPreviewScale(CaptureHandle handle, bool on);
    // The newest frame becomes the window's current frame.
    bool capGrabFrameNoStop(CaptureHandle handle);
    // The current frame onto the clipboard as an image. While the clipboard still
    // holds the data of an earlier copy, that data takes the new frame in place: the
    // clipboard offers the newest frame without a new claim on it (a round trip to
    // the display server at every frame).
    bool capEditCopy(CaptureHandle handle);
    // True while the clipboard still holds the data of the last capEditCopy:
    // nothing has been copied since, in this program or another.
    bool clipboardHoldsCopy() const { return !copied_.isNull(); }
    // The current frame as a 24-bit BMP file; false when it cannot be written.
    bool capFileSaveDIB(CaptureHandle handle, const QString& path);
    // True only when the device delivers exactly this format from now on.
    bool capSetVideoFormat(CaptureHandle handle, const BitmapFormat& format);
    bool capGetVideoFormat(CaptureHandle handle, BitmapFormat& format);
    // The device's modal settings dialog.
    bool capDlgVideoSource(CaptureHandle handle);
    // The device's modal format dialog; its choice applies on OK. False without a
    // device, or when the device refused the choice.
    bool capDlgVideoFormat(CaptureHandle handle);
    // True when the window's device has stopped delivering for good (unplugged or
    // broken): grabs fail from now on, and only a new connect can bring it back.
    bool capDeviceLost(CaptureHandle handle) const;
    // Ends a running sequence with a complete file.
    bool capCaptureStop(CaptureHandle handle);

    // Recording. The capture file's folder must exist and be writable.
    bool capFileSetCaptureFile(CaptureHandle handle, const QString& path);
    // Copies the finished capture file; onto the capture file's own name it does nothing.
    bool capFileSaveAs(CaptureHandle handle, const QString& path);
    bool capCaptureSetSetup(CaptureHandle handle, const CaptureParms& parms);
    bool capCaptureGetSetup(CaptureHandle handle, CaptureParms& parms);
    // Starts writing the capture file on a thread of its own and returns at once.
    bool capCaptureSequence(CaptureHandle handle);
    // The running or last sequence of the window; false when it never had one.
    bool capGetStatus(CaptureHandle handle, SequenceStatus& status);
    // The compression dialog; OK keeps the choice for the device for this run.
    bool capDlgVideoCompression(CaptureHandle handle);
    // The size of the window's audio format record, 0 without a connected device.
    int capGetAudioFormatSize(CaptureHandle handle);
    bool capGetAudioFormat(CaptureHandle handle, WaveFormat& format);
    // True when the device's sound source accepts the format; kept for the device.
    bool capSetAudioFormat(CaptureHandle handle, const WaveFormat& format);
    // The formats the connected device's sound source accepts; empty without one.
    QList<WaveFormat> capAudioFormats(CaptureHandle handle);

    // The window's current frame, sharing its pixels (no copy); null when none.
    QImage lastFrame(CaptureHandle handle) const;
    // The widget behind a handle, for placing and showing it; null when gone.
    QWidget* window(CaptureHandle handle) const;

private:
    // What the layer keeps per device for the whole run.
    struct DeviceSettings {
        std::optional<BitmapFormat> videoFormat;
        VideoCompression compression;
        WaveFormat audioFormat;
    };

    void ensureConfigured();
    CaptureWindow* find(CaptureHandle handle) const;
    CaptureDevice* connectedDevice(CaptureHandle handle) const;
    bool traced(CaptureHandle handle, const char* message, const QStringList& arguments, bool result);
    bool connectWindow(CaptureWindow* window, int index);
    bool setFormat(CaptureWindow* window, const BitmapFormat& format);
    bool showSourceDialog(CaptureWindow* window);
    bool showCompressionDialog(CaptureWindow* window);
    DeviceSettings* keptFor(CaptureWindow* window);
    AudioSource audioSourceOf(const CaptureDevice& device) const;
    bool startSequence(CaptureWindow* window);
    bool showFormatDialog(CaptureWindow* window);

    std::shared_ptr<const TimeSource> clock_;
    CaptureConfig config_;
    bool configured_ = false;
    bool scanned_ = false;
    DeviceList devices_;
    CaptureTrace trace_;
    std::map<CaptureHandle, QPointer<CaptureWindow>> windows_;
    CaptureHandle nextHandle_ = 1;
    std::map<QString, DeviceSettings> deviceSettings_;
    // The frame pump's buffer file, kept open between its ticks.
    platform::ScratchBitmap dibFile_;
    // The data of the last copy; the clipboard deletes it once anything else is
    // copied, here or in another program.
    QPointer<QMimeData> copied_;
    std::shared_ptr<SequencerFactory> sequencers_;
};

}  // namespace platform::capdriver
