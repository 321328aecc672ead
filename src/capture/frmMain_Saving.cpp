// Snapshots, bursts and the picture saving of the main window.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "buttons/VirtualKeys.h"
#include "capture/PictureSaving.h"
#include "capture/PictureSavingBurst.h"
#include "settings/Module1Sounds.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>

namespace {

constexpr int kBurstFrameCounts[] = {2, 5, 7, 10, 12, 16, 20};

}  // namespace

void frmMain::buildBurstMenu()
{
    mnuburstframes = new QMenu("burstframes", this);
    mnuburstframes->setObjectName("mnuburstframes");
    for (int count : kBurstFrameCounts) {
        QAction* item = mnuburstframes->addAction(QStringLiteral("%1 frames/second").arg(count));
        item->setObjectName(QStringLiteral("mnub_%1").arg(count));
        item->setCheckable(true);
        mnub[count] = item;
    }
    mnub[30] = mnuburstframes->addSeparator();
    mnub[40] = mnuburstframes->addAction("Exit menu");
    mnub[30]->setObjectName("mnub_30");
    mnub[40]->setObjectName("mnub_40");
    for (const auto& [index, item] : mnub)
        connect(item, &QAction::triggered, this, [this, index = index] { mnub_Click(index); });
    connect(mnuburstframes, &QMenu::aboutToShow, this, &frmMain::mnuburstframes_Click);
}

void frmMain::takePreviewPicture()
{
    PicContainer.take(Image4->image());
}

SaveResult frmMain::SaveImage(int32_t& counter, const QString& folder)
{
    SaveResult result = saveImage(s_, PicContainer, counter, folder);
    showSaveBox(result);
    yield();
    return result;
}

void frmMain::showSaveBox(const SaveResult& result)
{
    if (!result.boxText.isEmpty())
        prompts().message(this, result.boxText, QGuiApplication::applicationDisplayName(), BoxIcon::Critical);
}

void frmMain::cmdSnapShot_Click()
{
    ViewerFolderIndex = 0;
    PlayEventSound(s_, sound_, EventSound::Snapshot);
    takePreviewPicture();
    yield();
    // The notice tells what happened, so it follows the save instead of preceding it.
    const SaveResult result = SaveImage(s_.FileCounter, s_.PicturePath);
    ShowMessage(snapshotNotice(result));
}

void frmMain::cmdBurst_Click()
{
    ViewerFolderIndex = 0;
    BurstNaming burst(s_);
    const QString title = windowTitle();
    takePreviewPicture();
    yield();
    ShowMessage(burst.noticeText());
    PlayEventSound(s_, sound_, EventSound::Burst);
    int saved = 0;
    SaveFailure firstFailure = SaveFailure::None;
    for (int i = 0; i < burst.frameCount(); ++i) {
        int32_t counter = burst.frameCounter(i);
        const SaveResult result = SaveImage(counter, burst.frameFolder());
        saved += result.ok ? 1 : 0;
        if (!result.ok && firstFailure == SaveFailure::None)
            firstFailure = result.failure;
        yield();
        tmrMain_Timer();
        takePreviewPicture();
        yield();
    }
    AutoSaveSeconds = 0;
    setWindowTitle(title);
    yield();
    if (const QString notice = burstFailureNotice(saved, burst.frameCount(), firstFailure); !notice.isEmpty())
        ShowMessage(notice);
}

void frmMain::cmdBurst_MouseDown(int button, int, float, float)
{
    if (button == buttons::kMouseRight)
        mnuburstframes->popup(QCursor::pos());
}

void frmMain::mnuburstframes_Click()
{
    for (const auto& [index, item] : mnub)
        if (index >= 2 && index <= 20)
            item->setChecked(false);
    if (const auto it = mnub.find(s_.MaxBurstFrames); it != mnub.end() && it->first <= 20)
        it->second->setChecked(true);
}

void frmMain::mnub_Click(int index)
{
    if (index < 21)
        s_.MaxBurstFrames = static_cast<int16_t>(index);
}
