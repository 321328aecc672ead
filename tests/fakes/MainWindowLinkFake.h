#pragma once

#include "settings/MainWindowLink.h"

#include <QStringList>

#include <map>

// A main window as the other windows and the automatic modes see it: state they
// can set and read, and a record of what they asked for.
class MainWindowLinkFake : public MainWindowLink {
public:
    bool previewRunning_ = false;
    bool stopEnabled_ = false;
    int viewerFolderIndex_ = 0;
    QString baseTitle_ = QStringLiteral("Vyk-Tolvex Pro 1.0");
    QString title;
    QStringList notices;
    QImage picture;
    bool sideLogoVisible = false;
    QString intervalText = QStringLiteral("60");
    int saveOption = 0;
    std::map<int, quint32> optionColours;
    bool timeWindowArmed = false;
    bool resolutionsChecked = true;
    QRect rectTwips{0, 0, 9000, 7500};
    int startClicks = 0, stopClicks = 0, opmaakCalls = 0, recordClicks = 0;
    QList<std::pair<int, QString>> saveErrors;

    void showSettingsSaveError(int errorNumber, const QString& description) override
    {
        saveErrors.append({errorNumber, description});
    }
    void Opmaak() override { ++opmaakCalls; }
    bool previewRunning() const override { return previewRunning_; }
    bool stopEnabled() const override { return stopEnabled_; }
    void cmdStart_Click() override
    {
        ++startClicks;
        previewRunning_ = stopEnabled_ = true;
    }
    void cmdRecord_Click() override { ++recordClicks; }
    void cmdStop_Click() override
    {
        ++stopClicks;
        previewRunning_ = stopEnabled_ = false;
    }
    int viewerFolderIndex() const override { return viewerFolderIndex_; }
    void setViewerFolderIndex(int index) override { viewerFolderIndex_ = index; }
    QString baseTitle() const override { return baseTitle_; }
    void setModeTitle(const QString& modeText) override { title = baseTitle_ + modeText; }
    void ShowMessage(const QString& text) override { notices.append(text); }
    QImage latestPicture() const override { return picture; }
    void setSideLogoVisible(bool visible) override { sideLogoVisible = visible; }
    QString saveIntervalText() const override { return intervalText; }
    int selectedSaveOption() const override { return saveOption; }
    void selectSaveOption(int index) override { saveOption = index; }
    void setSaveOptionForeColor(int index, quint32 colour) override { optionColours[index] = colour; }
    void armTimeWindow() override { timeWindowArmed = true; }
    void setResolutionsChecked(bool checked) override { resolutionsChecked = checked; }
    QRect windowRectTwips() const override { return rectTwips; }
};
