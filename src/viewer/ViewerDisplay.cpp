#include "viewer/ViewerDisplay.h"

#include "core/SaveModes.h"
#include "core/ViewerFolderCodes.h"

#include <QFileInfo>

QString sizeLineText(int width, int height, qint64 fileBytes)
{
    return QStringLiteral("%1 x %2 - %3KB").arg(width).arg(height).arg(fileBytes / 1024 + 1);
}

bool isVideoFile(const QString& fileName)
{
    return fileName.right(4).toLower() == QLatin1String(".avi");
}

QString folderWithSlash(const QString& folder)
{
    return folder.endsWith('/') ? folder : folder + '/';
}

QString editorCaption(const QString& editorPath)
{
    const QString name = QFileInfo(editorPath).fileName();
    const qsizetype dot = name.lastIndexOf('.');
    return QStringLiteral("User Editor ") + (dot > 0 ? name.left(dot) : name);
}

QRect letterboxRect(const QSize& picture, const QRect& box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {};
    const QSize fitted = picture.scaled(box.size(), Qt::KeepAspectRatio);
    const QSize size(qMax(1, fitted.width()), qMax(1, fitted.height()));
    return {box.x() + (box.width() - size.width()) / 2, box.y() + (box.height() - size.height()) / 2,
            size.width(), size.height()};
}

ButtonSet buttonSetOfKeuze(int keuze)
{
    return keuze == 1 ? ButtonSet::Picture : keuze == 2 ? ButtonSet::Video : ButtonSet::Nothing;
}

ButtonSet buttonSetForFile(const QString& fileName)
{
    return isVideoFile(fileName) ? ButtonSet::Video : ButtonSet::Picture;
}

namespace {

constexpr const char* kEffectButtons[] = {
    "cmdUndo", "cmdFlipV", "cmdGray", "cmdSmooth", "cmdSharpen", "cmdFlipH",
    "cmdInvert", "cmdBright", "cmdDarken", "cmdContrast", "cmdColor", "cmdAlphaBlend"};

void add(std::vector<ControlChange>& set, std::initializer_list<const char*> names, Switch enabled,
         Switch visible = Switch::Leave)
{
    for (const char* name : names)
        set.push_back({name, enabled, visible});
}

void addEffects(std::vector<ControlChange>& set, Switch enabled)
{
    for (const char* name : kEffectButtons)
        set.push_back({name, enabled});
    set.push_back({"cmsSave2", enabled});
}

std::vector<ControlChange> pictureSet()
{
    std::vector<ControlChange> set;
    add(set, {"StyledButton2_0", "StyledButton2_1", "StyledButton4", "CmdPrint", "cmdIrfan"}, Switch::On);
    add(set, {"cmdMPstart"}, Switch::Off);
    addEffects(set, Switch::On);
    add(set, {"cmdMediaPlayer", "cmdMPstop", "cmdMPpauze", "cmdMPbegin", "cmdMPend"}, Switch::Off);
    add(set, {"PicMovie"}, Switch::Leave, Switch::Off);
    add(set, {"cmdSlide", "cmdZoom", "cmdSave", "cmdZarn"}, Switch::On);
    add(set, {"tmrVideoStatus", "tmrPosition"}, Switch::Off);
    add(set, {"scrlMovie"}, Switch::Off, Switch::Off);
    return set;
}

std::vector<ControlChange> nothingSet()
{
    std::vector<ControlChange> set;
    add(set, {"StyledButton2_0", "StyledButton2_1", "StyledButton4", "CmdPrint", "cmdIrfan", "cmdMPstart"},
        Switch::Off);
    addEffects(set, Switch::Off);
    add(set, {"cmdMediaPlayer", "cmdMPstop", "cmdMPbegin", "cmdMPend"}, Switch::Off);
    add(set, {"FrmBlend"}, Switch::Leave, Switch::Off);
    add(set, {"cmdSlide", "cmdZoom", "cmdSave", "cmdZarn"}, Switch::Off);
    add(set, {"tmrPosition"}, Switch::On);
    add(set, {"scrlMovie"}, Switch::Leave, Switch::On);
    return set;
}

std::vector<ControlChange> videoSet()
{
    std::vector<ControlChange> set = nothingSet();
    add(set, {"cmdIrfan", "cmdMPstart", "cmdMediaPlayer", "cmdMPstop"}, Switch::On);
    add(set, {"cmdMPpauze"}, Switch::Off);
    add(set, {"PicMovie"}, Switch::Leave, Switch::On);
    return set;
}

constexpr const char* kBrowsingControls[] = {
    "opt_folders_0", "opt_folders_1", "opt_folders_2", "opt_folders_3", "opt_folders_4",
    "StyledButton1_0", "StyledButton1_1", "StyledButton1_2", "StyledButton1_3", "StyledButton1_4",
    "StyledButton1_5", "Dir1", "File1", "Drive1", "cmdDesktop", "cmdDocs"};

std::vector<ControlChange> slideSet()
{
    std::vector<ControlChange> set;
    add(set, {"StyledButton2_0", "StyledButton2_1", "StyledButton4", "CmdPrint", "cmdIrfan", "cmdMPstart"},
        Switch::Off);
    addEffects(set, Switch::Off);
    add(set, {"cmdMediaPlayer", "cmdMPstop", "cmdMPpauze", "cmdMPbegin", "cmdMPend"}, Switch::Off);
    add(set, {"FrmBlend"}, Switch::Leave, Switch::Off);
    add(set, {"cmdZoom", "cmdSave"}, Switch::Off);
    for (const char* name : kBrowsingControls)
        set.push_back({name, Switch::Off});
    return set;
}

std::vector<ControlChange> afterSlideSet()
{
    std::vector<ControlChange> set = pictureSet();
    for (const char* name : kBrowsingControls)
        set.push_back({name, Switch::On});
    return set;
}

}  // namespace

std::vector<ControlChange> buttonSetChanges(ButtonSet set)
{
    switch (set) {
    case ButtonSet::Picture: return pictureSet();
    case ButtonSet::Video: return videoSet();
    case ButtonSet::Slide: return slideSet();
    case ButtonSet::AfterSlide: return afterSlideSet();
    case ButtonSet::Nothing: break;
    }
    return nothingSet();
}

FolderFailureBox folderFailureBox(int failureCount)
{
    return failureCount == 2 ? FolderFailureBox::FixItQuestion : FolderFailureBox::Information;
}

BoxTexts folderFailureTexts(FolderFailureBox box, const QString& folderCaption, int errorNumber)
{
    const QString title = QStringLiteral("Could not access folder, err:") + QString::number(errorNumber);
    if (box == FolderFailureBox::FixItQuestion)
        return {QStringLiteral("Could not change to the ") + folderCaption +
                    QStringLiteral("\nDo you want me to try to fix the problem?"),
                title};
    return {QStringLiteral("Could not change to the ") + folderCaption +
                QStringLiteral(". Please define the correct path using Setup-button in main screen.") +
                QStringLiteral("\nOr reset Tolvex by deleting the file TOLVEX.INI"),
            title};
}

std::vector<int> folderKindsForSaveMode(int saveMode, int motionRecordMode)
{
    std::vector<int> kinds;
    switch (saveMode) {
    case kModeAutoSave: kinds.push_back(kFolderAutoSave); break;
    case kModeMotionSave: kinds.push_back(kFolderMotionSave); break;
    case kModeMotionRecord: kinds.push_back(kFolderVideos); break;
    default: break;
    }
    if (motionRecordMode != 0)
        kinds.push_back(kFolderMotionRecording);
    return kinds;
}
