// Capture sizes of the main window: the size check with its per-device cache, the
// size command with its chooser, and the caption of the size button.
#include "capture/frmMain.h"

#include "capture/MainLook.h"

#include "buttons/StyledButton.h"
#include "capture/CaptureDevices.h"
#include "capture/CaptureLog.h"
#include "capture/CaptureSizes.h"
#include "capture/frmCamRes.h"
#include "platform/capdriver/CaptureSystem.h"
#include "platform/files/SmallFile.h"
#include "platform/gdi/Twips.h"
#include "settings/Prompts.h"

#include <QComboBox>

using platform::capdriver::BitmapFormat;

namespace {

constexpr int kProbeBits = 24;

QString videoSizeCaption(QSize size)
{
    return QStringLiteral("&Video Size %1x%2").arg(size.width()).arg(size.height());
}

}  // namespace

QSize frmMain::shownFrameSize() const
{
    // The picture on show is the frame as the device delivered it.
    const QImage& shown = Image4->image();
    return shown.isNull() ? Image1->size() : shown.size();
}

void frmMain::CheckWebRes()
{
    const SizeCheckPlan plan = planSizeCheck(s_.HowToCheckDriver, ResolutionsChecked);
    if (plan.skip) {
        ResolutionCount = 0;
        ResolutionsChecked = true;
        return;
    }
    const QString deviceName = GetCapDriverName(capture_, capwnd_);
    setCursor(Qt::WaitCursor);
    if (plan.readCache)
        readSizeCache(deviceName);
    unsetCursor();
    if (!ResolutionsChecked)
        probeCaptureSizes(deviceName, plan.writeCache);
}

void frmMain::readSizeCache(const QString& deviceName)
{
    // Another device's sizes never stay in the list.
    s_.ResolutionList = standardResolutions();
    const platform::SmallFileRead cache = platform::readSmallFile(s_.AppPath + kDevicesDatabaseFile);
    if (!cache.result.ok) {
        // Not cached: the probe runs and makes the file.
        if (!cache.missing)
            qCWarning(lcCapture).noquote() << "capture-size cache not read:" << cache.result.reason;
        return;
    }
    const std::optional<CachedSizes> found = findCachedSizes(cache.bytes, deviceName);
    if (!found)
        return;
    for (int k = 0; k < found->fieldCount && k < int(s_.ResolutionList.size()); ++k)
        s_.ResolutionList[k] = found->entries[k];
    ResolutionCount = int16_t(found->fieldCount);
    ResolutionsChecked = true;
}

void frmMain::probeCaptureSizes(const QString& deviceName, bool writeCache)
{
    setCursor(Qt::WaitCursor);
    const QSize remembered = shownFrameSize();
    ShowMessage("First time Initialising...");
    yield();
    s_.MessageHold = -1;
    s_.ResolutionList = standardResolutions();
    int accepted = 0;
    for (int i = 0; i < int(probeSizes().size()); ++i) {
        const QSize size = probeSizes()[i];
        if (capture_.capSetVideoFormat(capwnd_, BitmapFormat::rgb24(size))) {
            if (kFirstProbedEntry + accepted < int(s_.ResolutionList.size()))
                s_.ResolutionList[kFirstProbedEntry + accepted] = resolutionEntry(size, kProbeBits);
            ++accepted;
        }
        for (const QString& text : probeNoticeTexts(i))
            ShowMessage(text);
        yield();
    }
    // A nameless device could never be found again; the writer logs its own failures.
    if (writeCache && accepted > 0 && !deviceName.isEmpty())
        appendCacheRecord(s_.AppPath + kDevicesDatabaseFile, deviceName, s_.ResolutionList);
    capture_.capSetVideoFormat(capwnd_, BitmapFormat::rgb24(remembered));
    yield();
    s_.MessageHold = 0;
    ResolutionCount = int16_t(accepted);
    ResolutionsChecked = true;
    unsetCursor();
}

void frmMain::setVideoSizeCaption(const QString& caption)
{
    // The caption keeps 4 pixels free on each side.
    constexpr int kCaptionMargins = 8;
    if (caption == cmdVideoSize->Caption())
        return;  // the caption timer writes the same text every second
    const QFont font = captionFontToFit(videoSizeFont_, caption, cmdVideoSize->width() - kCaptionMargins);
    if (cmdVideoSize->Font() != font)
        cmdVideoSize->setFont(font);
    cmdVideoSize->setCaption(caption);
}

void frmMain::tmrCheckSize_Timer()
{
    setVideoSizeCaption(videoSizeCaption(shownFrameSize()));
}

void frmMain::cmdVideoSize_Click()
{
    if (capwnd_ == 0)
        return;
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(false);
    CheckWebRes();
    if (ResolutionCount != 0)
        chooseCaptureSize();
    else
        capture_.capDlgVideoFormat(capwnd_);
    yield();
    unsetCursor();
    tmrMain_Timer();
    yield();
    Image4->update();
    const QSize measured = shownFrameSize();
    CaptureWidth = measured.width();
    CaptureHeight = measured.height();
    setVideoSizeCaption(videoSizeCaption(measured));
    if (!Check1->Value())
        fitWindowToCapture();
    yield();
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(true);
}

void frmMain::chooseCaptureSize()
{
    frmCamRes chooser(s_, this);
    chooser.Form_Load();
    yield();
    const int preselected = preselectedItem(resolutionItems(s_.ResolutionList), shownFrameSize());
    if (preselected >= 0)
        chooser.preselectItem(preselected);
    s_.SelectedResolution.clear();
    chooser.exec();
    yield();
    setCursor(Qt::WaitCursor);
    if (!s_.SelectedResolution.isEmpty())
        applyChosenSize();
}

void frmMain::applyChosenSize()
{
    setVideoSizeCaption("&Video Size " + s_.SelectedResolution);
    const int index = s_.ResolutionIndex;
    const QString entry = index >= 0 && index < int(s_.ResolutionList.size()) ? s_.ResolutionList[index] : QString();
    const ChosenFormat chosen = chosenFormat(entry, s_.SelectedColorDepth);
    s_.SelectedColorDepth = chosen.colorDepth;
    const BitmapFormat format{chosen.size.width(), chosen.size.height(), chosen.bitCount, 0};
    if (!capture_.capSetVideoFormat(capwnd_, format)) {
        qCWarning(lcCapture).noquote() << "the capture device refused" << refusedFormatTitle(chosen).section(": ", 1);
        unsetCursor();
        prompts().message(this, kRefusedFormatText, refusedFormatTitle(chosen), BoxIcon::Exclamation);
        return;
    }
    cmdStart_Click();
}

void frmMain::fitWindowToCapture()
{
    const WindowFit fit = ::fitWindowToCapture({CaptureWidth, CaptureHeight}, {VideoWidth, VideoHeight},
                                               Picture2->width(), Picture3->height(), AllowanceX, AllowanceY);
    if (fit.grow) {
        Image4->resize(CaptureWidth, CaptureHeight);
        resizeOuter(platform::pixelsToTwips(fit.outerPixels.width()), platform::pixelsToTwips(fit.outerPixels.height()));
    } else {
        Image4->resize(VideoWidth, VideoHeight);
        resizeOuter(MinWidth, MinHeight);
    }
}
